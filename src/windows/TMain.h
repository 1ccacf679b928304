#pragma once

#include "core/TEinst.h"
#include "tray/QtTrayOwner.h"
#include "tray/QtTrayPopupMenu.h"
#include "tray/TTrayIcon.h"
#include "widgets/GeneralErrorHandler.h"
#include "windows/MainServices.h"
#include "windows/TMainUi.h"

#include <QMainWindow>

#include <memory>

class QPushButton;

namespace kelvaro {

class PresetsPage;
class ShortcutPage;

/**
 * The main window: clocks, time entry, start and stop, and the fold-out settings area. Every
 * control writes one option of `CurrentOptions` and redraws the view from it; the run keeps its
 * end as an absolute moment and the timers only refresh the display and detect the expiry.
 */
class TMain : public QMainWindow
{
    Q_OBJECT

public:
    /** Creates the window and obtains this run's options: from the parameters when they are
     *  accepted, otherwise the stored default set. */
    explicit TMain(const MainServices& services, QWidget* parent = nullptr);
    ~TMain() override;

    void setSecondaryWindows(const SecondaryWindows& windows);

    TEinst& CurrentOptions() { return m_options; }
    const TMainUi& ui() const { return m_ui; }
    QString ProductNameText() const { return m_services.info.productName; }
    QString ProductVersionText() const { return m_services.info.productVersion; }
    /** The tip text of the notification-area icon. */
    QString trayHint() const { return m_trayIcon.GetHint(); }
    TTrayIcon& trayIcon() { return m_trayIcon; }
    /** The icon's ring step while a countdown or clock-time run goes on; -1 without one. */
    int trayRingStep() const { return m_ringStep; }
    /** The window's height including the frame the window manager reports. */
    int outerHeight() const;

    /** Makes the start button the window's default button (Enter) again. */
    void makeStartDefault() { setDefaultButton(m_ui.Btn_Start); }

    void FormShow();
    void ShowOptions();

    void Btn_StartClick();
    void Btn_ResetClick();
    void Btn_ConfigClick();
    void Btn_SpeichernClick();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    /** A click on the tray icon, or "Anzeigen" in its menu: back from the notification area. */
    void TrayIconClick();

Q_SIGNALS:
    /** The main window has been closed: the program ends. */
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormClose();
    void bindPanels();
    void createPages();
    void connectHandlers();
    void setDefaultButton(QPushButton* button);
    void setOuterHeight(int height);
    void setTrayHint(const QString& hint);
    void setUpTrayIcon();
    void showRing(std::optional<double> remaining);
    void setRunningState(bool running);
    void expire();
    void showMessageWindow();
    void showModal(QDialog* dialog);
    QString captionBase() const;

    template <typename Handler>
    auto guarded(Handler handler);

    MainServices m_services;
    GeneralErrorHandler m_errors;
    TMainUi m_ui;
    TEinst m_options;
    SecondaryWindows m_windows;
    std::unique_ptr<PresetsPage> m_presets;
    std::unique_ptr<ShortcutPage> m_shortcut;
    QPushButton* m_defaultButton = nullptr;
    QtTrayOwner m_trayOwner;
    TTrayIcon m_trayIcon;
    QImage m_trayImage;
    int m_ringStep = -1;

    // Run state: absolute moments in milliseconds since the epoch.
    qint64 m_startMs = 0;
    qint64 m_endMs = 0;
    qint64 m_nowSampleMs = 0; // the latest clock tick's sample; 0 before the first tick
    bool m_startupPending = true;
    bool m_timedRunGoing = false; // a countdown or clock-time run: each clock tick triggers the run tick
};

} // namespace kelvaro
