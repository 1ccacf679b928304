#pragma once

#include "core/TEinst.h"
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
class Timer;

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
    /** Clock: samples now, shows the current time, performs the auto-start. */
    void Timer1Timer();
    /** Run tick of a countdown or clock-time run: remaining time and expiry. */
    void Timer2Timer();
    /** Stopwatch tick. */
    void Timer3Timer();
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
    TTrayIcon m_trayIcon;
    std::unique_ptr<Timer> m_timer1; // Timer1, the clock: every second
    // Timer2, the run tick: once 100 ms after Start, then right after each clock tick. The time left
    // changes only with the clock's sample, so ticking in between would wake the program for nothing.
    std::unique_ptr<Timer> m_timer2;
    std::unique_ptr<Timer> m_timer3; // Timer3, the stopwatch tick: every 100 ms
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
