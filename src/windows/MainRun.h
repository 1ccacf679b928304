#pragma once

#include "core/RunController.h"

#include <QList>
#include <QRect>

#include <functional>
#include <memory>

class QWidget;

namespace kelvaro {

class Announcer;
class GeneralErrorHandler;
class PowerActionRun;
class TEinst;
class TVorwarnung;
class WindowSeen;
struct MainServices;

/**
 * The run of the main window with what it needs on the screen: the RunController, the announcement
 * of a power action (notification or window) and the power action's questions and failure report.
 * The run follows whether anyone sees the window, which spares it the ticks of a display nobody sees.
 */
class MainRun
{
public:
    struct Window
    {
        RunController::View view;
        /** "Abbrechen" in the announcement: what Stop does. */
        std::function<void()> cancel;
        /** The areas the announcement window must not cover. */
        std::function<QList<QRect>()> keepClear;
        /** The power action's note or failure changed. */
        std::function<void()> noteChanged;
    };

    MainRun(const MainServices& services, TEinst& options, GeneralErrorHandler& errors, QWidget& shownIn,
            Window window);
    ~MainRun();

    RunController& run() { return *m_run; }
    const RunController& run() const { return *m_run; }
    PowerActionRun& power() const { return *m_power; }
    /** The window that announces a power action when there is no notification server; null until
     *  it was first needed. */
    TVorwarnung* announcementWindow() const;

private:
    // The announcement outlives the run that uses it, so that it is taken back last.
    std::unique_ptr<Announcer> m_announcer;
    std::unique_ptr<PowerActionRun> m_power;
    std::unique_ptr<RunController> m_run;
    std::unique_ptr<WindowSeen> m_seen;
};

} // namespace kelvaro
