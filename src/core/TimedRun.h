#pragma once

#include "core/RunAnnouncement.h"

#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

namespace kelvaro {

class Clock;
class TEinst;
class Timer;
class TimerService;

/**
 * The end of a countdown or clock-time run and the announcement of its power action.
 *
 * The run ends at an absolute moment. A power action with a lead time (RunAnnouncement::of) is
 * announced that long before the end, or at once when less is left, and carried out only when its
 * announcement has been up until the end. When the program could not look at the clock for a while
 * (a suspended machine, a stopped process, a clock set forward) and the moment of the announcement
 * or of the action went by meanwhile, the action is announced then, and the end moves to a whole
 * lead time later. Other actions end at their end moment, after such a gap at once.
 *
 * An announcement counts from the moment it is on the screen (announcementShown()): until then the
 * action waits, and when it came up late the end moves on by as much, so that the user has it in
 * front of them as long as it was meant to be up.
 *
 * One precise single-shot timer wakes the program at the next of these moments. It is armed again
 * whenever the end moves and at every clock tick, because the wall clock may jump while timers keep
 * to the machine's running time. The options are read at every step, so a change of the action,
 * of its force flag or of the lead time during the run takes effect.
 */
class TimedRun
{
public:
    struct Handlers
    {
        /** Shows the announcement for the end (endMs()) at `nowMs`, replacing one that is up; the
         *  run is to be told by announcementShown() when it is on the screen. */
        std::function<void(const RunAnnouncement&, qint64 nowMs)> announce;
        /** Takes the announcement back. */
        std::function<void()> withdraw;
        /** The end has moved: postponed, or deferred to give the announcement its lead time. An
         *  announcement may be up (announced()): it is then to show the new end. */
        std::function<void()> endMoved;
        /** The end has come: carry the action out. Stopping the run here ends it; a run that is
         *  not stopped stays expired and is offered the end again at the next clock tick. */
        std::function<void()> expire;
    };

    /** How long the program may go without looking at the clock and still count as ticking: above
     *  the clock tick's second, with room for a busy machine. */
    static constexpr qint64 kGapMs = 2000;

    /** How long before its end the run's action is announced by `options`: the lead time of an
     *  announced action, else 0. */
    static qint64 leadMs(const TEinst& options);

    TimedRun(const Clock& clock, TimerService& timers, const TEinst& options, Handlers handlers);
    TimedRun(const TimedRun&) = delete;
    TimedRun& operator=(const TimedRun&) = delete;
    ~TimedRun();

    /** Starts a run that ends at `endMs`; an announcement due already is shown at once. */
    void start(qint64 startMs, qint64 endMs);
    /** Ends the run without carrying anything out and takes an announcement back. */
    void stop();
    /** Moves the end `ms` later. An announcement that is up stays when the new end is within the
     *  lead time; otherwise it is taken back and comes again before the new end. */
    void postpone(qint64 ms);
    /** The announcement made last came on the screen at `shownMs` (a moment after it was made when
     *  a notification server took its time, or the window had to stand in): the end moves by the
     *  delay, and an action held back for it may come. Only the first report counts. */
    void announcementShown(qint64 shownMs);
    /** The clock tick's look at the clock: follows a clock that jumped and options that changed.
     *  An end that has come is carried out from the timer right after, not inside the tick. */
    void clockTick();

    bool running() const { return m_running; }
    /** Whether an announcement is up. */
    bool announced() const { return m_announced.has_value(); }
    qint64 startMs() const { return m_startMs; }
    qint64 endMs() const { return m_endMs; }

private:
    void step(bool mayExpire);
    void withdraw();
    void announce(const RunAnnouncement& announcement, qint64 nowMs);
    void moveEnd(qint64 endMs);
    /** Whether `moment` went by while the program was not looking at the clock. */
    bool missed(qint64 moment, qint64 now) const;

    const Clock& m_clock;
    const TEinst& m_options;
    Handlers m_handlers;
    std::unique_ptr<Timer> m_timer;
    bool m_running = false;
    qint64 m_startMs = 0;
    qint64 m_endMs = 0;
    qint64 m_lastLookMs = 0;
    std::optional<RunAnnouncement> m_announced;
    /** Whether the announcement that is up has been on the screen, and how long it was to be up
     *  when it was made. */
    bool m_shown = false;
    qint64 m_announcedLeadMs = 0;
};

} // namespace kelvaro
