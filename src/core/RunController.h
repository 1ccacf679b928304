#pragma once

#include "core/RemoteState.h"
#include "core/RunWait.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

namespace kelvaro {

class Clock;
class ExpirySound;
class MessageBoxes;
class RunPower;
class RunTrace;
class TEinst;
class TimedRun;
class Timer;
class TimerService;

/** What the window shows of a run; drawn anew whenever it changes. */
struct RunDisplay
{
    enum class Kind { None, Timed, Waiting, Stopwatch };
    /** What the caption above the shown time says. */
    enum class Caption { Remaining, Elapsed, Inactive, Quiet };

    Kind kind = Kind::None;
    /** The start and the end as clock times; empty where there is none. */
    QString start;
    QString end;
    /** The time left, the time waited or held, or the stopwatch's time. */
    QString shown;
    Caption caption = Caption::Remaining;
    /** What the caption and the tip add in brackets; empty without a run. */
    QString note;
    /** The share of the run still to go, for the tray ring; nothing without one. */
    std::optional<double> remaining;
    /** The step of the turning ring while the end cannot be foreseen; -1 otherwise. */
    int turn = -1;
    /** Figures a wait looks at, for the status bar. */
    QString figures;
    /** Whether "5 Minuten später" applies. */
    bool postponable = false;
};

/**
 * The run: its start with the checks, each time mode, the end timer, the announcement of a power
 * action, postponing, the expiry by the action and the stopwatch. It keeps no widgets: the window
 * draws what display() says whenever `view.show` is called, and the run asks the window only for
 * what it alone can do (minimise, show the message, end the program).
 */
class RunController
{
public:
    struct Links
    {
        const Clock& clock;
        TimerService& timers;
        TEinst& options;
        MessageBoxes& boxes;
        RunPower& power;
        ExpirySound& sound;
        RunTrace& trace;
        RunWait::Sources waits;
        /** Runs a step of the run, showing an error it throws. */
        std::function<void(const std::function<void()>&)> guard;
    };

    struct View
    {
        /** The run began (true) or ended (false): the controls a run locks. */
        std::function<void(bool running)> setRunning;
        /** The display changed. */
        std::function<void(const RunDisplay&)> show;
        /** "In den Infobereich minimieren" at Start. */
        std::function<void()> minimize;
        /** Shows the message of an expired run and returns when it has been closed. */
        std::function<void()> showMessage;
        /** Ends the program ("Programm beenden nach Aktion"). */
        std::function<void()> closeProgram;
        /** remoteState() may have changed. */
        std::function<void()> changed;
    };

    /** The first display tick after Start; later ones follow each clock tick. */
    static constexpr qint64 kFirstTickMs = 100;
    static constexpr qint64 kStopwatchTickMs = 100;
    static constexpr qint64 kPostponeMs = 5 * 60 * 1000;

    RunController(Links links, View view);
    RunController(const RunController&) = delete;
    RunController& operator=(const RunController&) = delete;
    ~RunController();

    /** Start: checks the options and starts the run of their time mode; false when it did not start. */
    bool start();
    /** Stop: ends the run without its action. */
    void stop();
    /** The program ends: the run ends without its action and without drawing anything. */
    void quit();
    /** Moves the end of a countdown `ms` later; false without one. */
    bool postpone(qint64 ms = kPostponeMs);
    /** The announcement came on the screen at `shownMs`. */
    void announcementShown(qint64 shownMs);
    /** The clock's tick at each full second, with its sample of the time. */
    void clockTick(qint64 nowMs);
    /** Whether anyone sees the window (shown and not minimised). The stopwatch's tenths need their
     *  tick only then; unseen, the display (still in the tip and a minimised window's caption) is
     *  drawn at each clock tick, and when the window is seen again it is drawn as soon as the
     *  program is idle. */
    void setShown(bool shown);

    bool running() const { return m_state != State::Idle; }
    /** Whether a countdown to an end goes on (it can be postponed). */
    bool timed() const;
    /** The seconds left as the display shows them, for the announcement window. */
    qint64 secondsShown() const;
    RunDisplay display() const;
    RemoteState remoteState() const;

private:
    enum class State { Idle, Waiting, Timed, Stopwatch, Unknown };

    void createTimedRun();
    void startTimed(qint64 startMs, qint64 endMs);
    void startWaiting(std::unique_ptr<RunWait> wait, qint64 startMs);
    void waitReached(qint64 heldMs);
    void waitLost();
    /** Timer2, the display tick of a run that counts down or waits: once kFirstTickMs after Start,
     *  then right after each clock tick, since what it shows changes only with the clock's sample. */
    void Timer2Timer();
    /** Timer3, the stopwatch tick: every kStopwatchTickMs while the window is seen. */
    void Timer3Timer();
    void expire();
    void redraw();

    Links m_links;
    View m_view;
    std::unique_ptr<TimedRun> m_timed;
    std::unique_ptr<RunWait> m_wait;
    std::unique_ptr<Timer> m_timer2;
    std::unique_ptr<Timer> m_timer3;
    State m_state = State::Idle;
    qint64 m_startMs = 0;     // as the user started it
    qint64 m_nowSampleMs = 0; // the latest clock tick's sample; 0 before the first tick
    int m_turn = 0;           // the turning ring while the end cannot be foreseen
    bool m_shown = true;      // whether anyone sees the window
};

} // namespace kelvaro
