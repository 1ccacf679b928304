#pragma once

#include "core/RemoteState.h"
#include "core/RunController.h"
#include "core/TEinst.h"
#include "tray/TTrayIcon.h"
#include "widgets/DefaultButton.h"
#include "widgets/FoldOut.h"
#include "widgets/GeneralErrorHandler.h"
#include "windows/MainRun.h"
#include "windows/MainServices.h"
#include "windows/TMainUi.h"
#include "windows/TrayBadge.h"

#include <QMainWindow>

#include <memory>

class QPushButton;

namespace kelvaro {

class PowerActionRun;
class SettingsPages;
class Timer;
class TVorwarnung;

/**
 * The main window: clocks, time entry, start and stop, and the fold-out settings area. Every
 * control writes one option of `CurrentOptions` and redraws the view from it. The run itself is a
 * RunController; the window forwards its buttons to it and draws what it shows. The clock tick, on
 * the wall clock's second, shows the time and gives the run its sample of it.
 */
class TMain : public QMainWindow
{
    Q_OBJECT

public:
    /** Creates the window and obtains this run's options: from the parameters when they are
     *  accepted, otherwise the stored default set. */
    explicit TMain(const MainServices& services, QWidget* parent = nullptr);
    ~TMain() override;

    void setSecondaryWindows(const SecondaryWindows& windows) { m_windows = windows; }

    TEinst& CurrentOptions() { return m_options; }
    const TMainUi& ui() const { return m_ui; }
    QString ProductNameText() const { return m_services.info.productName; }
    QString ProductVersionText() const { return m_services.info.productVersion; }
    /** The tip text of the notification-area icon. */
    QString trayHint() const { return m_trayIcon.GetHint(); }
    /** The icon's ring step while a countdown or clock-time run goes on; -1 without one, -2 while a
     *  run waits for a program (the ring turns). */
    int trayRingStep() const { return m_badge.step(); }
    /** The window that announces a power action when there is no notification server; null until
     *  it was first needed. */
    TVorwarnung* announcementWindow() const { return m_main->announcementWindow(); }
    /** The power action of the run: the question at Start, the failure report at the end. */
    PowerActionRun& powerRun() const { return m_main->power(); }
    /** The window's height including the frame the window manager reports. */
    int outerHeight() const { return frameGeometry().height(); }

    /** Makes the start button the window's default button (Enter) again. */
    void makeStartDefault() { m_defaultButton.set(m_ui.Btn_Start); }

    void FormShow();
    void ShowOptions();
    /** Makes the controls of the settings pages now; the window makes them when the area first opens. */
    void buildSettingsPages();

    void Btn_StartClick();
    void Btn_ResetClick();
    /** "5 Minuten später" (tray menu, Ctrl++ and the announcement): the running countdown or
     *  clock-time run ends five minutes later. */
    void Spaeter1Click();
    void Btn_ConfigClick();
    void Btn_SpeichernClick();
    /** A click on the tray icon, or "Anzeigen" in its menu: back from the notification area. */
    void TrayIconClick();
    /** The message window has closed: the tray menu offers "Start" again and "Stop" no more. */
    void MessageWindowClosed();

    /** What the window shows outside about its run (on the session bus). */
    RemoteState remoteState() const { return m_run->remoteState(); }
    /** "5 Minuten später" from outside the window, by `ms`: false without a countdown to move. */
    bool postpone(qint64 ms);

Q_SIGNALS:
    /** The main window has been closed: the program ends. */
    void closed();
    /** remoteState() may have changed: the run started, stopped, was announced or moved, or the
     *  options changed. Sent once the handler that changed it is over. */
    void remoteStateChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    /** Clock: samples now, shows the current time, performs the auto-start. */
    void Timer1Timer();
    void FormClose();
    /** The window system has minimised the window: it goes into the notification area. */
    void minimizedToTray();
    void bindPanels();
    void connectHandlers();
    void setUpTrayIcon();
    void createRun();
    /** Draws the run: labels, caption, tip and ring. */
    void showRun(const RunDisplay& display);
    void setRunningState(bool running);
    /** The note of the power action changed: the status bar and, after a failure, the tray tip. */
    void showPowerNote();
    void showMessageWindow();
    void showModal(QDialog* dialog);
    QString captionBase() const;
    /** Sends remoteStateChanged() once the current handler is over (several changes, one signal). */
    void noteRemoteChange();

    template <typename Handler>
    auto guarded(Handler handler);

    MainServices m_services;
    GeneralErrorHandler m_errors;
    TMainUi m_ui;
    TEinst m_options;
    SecondaryWindows m_windows;
    std::unique_ptr<SettingsPages> m_pages;
    DefaultButton m_defaultButton;
    std::unique_ptr<FoldOut> m_foldOut;
    TTrayIcon m_trayIcon;
    TrayBadge m_badge;
    std::unique_ptr<Timer> m_timer1; // Timer1, the clock: at every full second of the wall clock

    std::unique_ptr<MainRun> m_main;
    RunController* m_run = nullptr;
    bool m_figuresShown = false; // the status bar shows the figures a run waits on
    bool m_startupPending = true;
    bool m_remoteChangeNoted = false;
};

} // namespace kelvaro
