#include "core/RunController.h"

#include "core/AppError.h"
#include "core/Clock.h"
#include "core/CountdownRing.h"
#include "core/ExpirySound.h"
#include "core/MessageBoxes.h"
#include "core/RunAnnouncement.h"
#include "core/RunPower.h"
#include "core/RunSchedule.h"
#include "core/RunTrace.h"
#include "core/SerialDateTime.h"
#include "core/TEinst.h"
#include "core/TimedRun.h"
#include "core/TimerService.h"

#include <QCoreApplication>

#include <algorithm>

namespace kelvaro {

namespace {

QString clockTime(qint64 ms)
{
    return SerialDateTime::formatTime(SerialDateTime::fromMSecsSinceEpoch(ms));
}

} // namespace

RunController::RunController(Links links, View view)
    : m_links(std::move(links)), m_view(std::move(view)),
      m_timer2(m_links.timers.create([this] { m_links.guard([this] { Timer2Timer(); }); })),
      m_timer3(m_links.timers.create([this] { m_links.guard([this] { Timer3Timer(); }); }))
{
    createTimedRun();
}

RunController::~RunController() = default;

void RunController::Timer3Timer()
{
    // After the window came into sight again the first tick comes at once, then every tenth.
    if (!m_timer3->isActive())
        m_timer3->start(kStopwatchTickMs);
    redraw();
}

void RunController::createTimedRun()
{
    TimedRun::Handlers handlers;
    handlers.announce = [this](const RunAnnouncement& announcement, qint64 nowMs) {
        m_links.trace.record("announcement", nowMs);
        m_links.power.announce(announcement, m_timed->endMs(), secondsShown());
        m_view.changed();
    };
    handlers.withdraw = [this] {
        m_links.power.withdraw();
        m_view.changed();
    };
    handlers.endMoved = [this] {
        m_links.trace.record("end", m_timed->endMs());
        if (m_timed->announced())
            m_links.power.setEnd(m_timed->endMs());
        redraw();
        m_view.changed();
    };
    handlers.expire = [this] {
        m_links.guard([this] { expire(); });
    };
    m_timed = std::make_unique<TimedRun>(m_links.clock, m_links.timers, m_links.options, std::move(handlers));
}

bool RunController::timed() const
{
    return m_state == State::Timed;
}

bool RunController::start()
{
    TEinst& options = m_links.options;
    const quint8 mode = options.GetZeitMode();
    const bool waits = mode == ZeitProgrammende || mode == ZeitInaktivitaet || mode == ZeitLeerlauf;

    qint32 h = 0, m = 0, s = 0;
    options.GetZeit(h, m, s);
    if ((mode == ZeitCountdown || mode == ZeitInaktivitaet || mode == ZeitLeerlauf) &&
        !RunSchedule::countdownHasLength(h, m, s)) {
        m_links.boxes.information(RunSchedule::zeroCountdownText());
        return false;
    }
    if (mode != ZeitStopuhr && !m_links.power.mayStart(options.GetAktion()))
        return false;
    std::unique_ptr<RunWait> wait;
    if (waits) {
        RunWait::Events events{[this](qint64 heldMs) { m_links.guard([this, heldMs] { waitReached(heldMs); }); },
                               [this] {
                                   m_links.guard([this] { waitLost(); });
                               }};
        wait = RunWait::create(options, TimedRun::leadMs(options), m_links.waits, m_links.boxes, std::move(events));
        if (!wait)
            return false;
    }

    if (options.GetMinimize())
        m_view.minimize();
    m_view.setRunning(true);
    m_view.changed();
    const qint64 startMs = m_links.clock.currentMSecsSinceEpoch();
    // Before the first clock tick there is no sample yet; the display counts from the start until
    // the clock provides one, instead of from the beginning of the epoch.
    if (m_nowSampleMs == 0)
        m_nowSampleMs = startMs;
    m_startMs = startMs;

    switch (mode) {
    case ZeitCountdown:
        startTimed(startMs, RunSchedule::countdownEnd(startMs, h, m, s));
        break;
    case ZeitUhrzeit: {
        const std::optional<qint64> end = RunSchedule::clockTimeEnd(startMs, h, m, s);
        if (!end) {
            m_state = State::Unknown;
            throw AppError(QCoreApplication::translate("TMain", "Ungültige Uhrzeit %1:%2:%3").arg(h).arg(m).arg(s));
        }
        startTimed(startMs, *end);
        break;
    }
    case ZeitStopuhr:
        m_state = State::Stopwatch;
        if (m_shown)
            m_timer3->start(kStopwatchTickMs);
        redraw();
        break;
    case ZeitProgrammende:
    case ZeitInaktivitaet:
    case ZeitLeerlauf:
        // No end yet: the start, the time waited or held and what the run waits for.
        m_wait = std::move(wait);
        m_state = State::Waiting;
        m_timer2->startOnce(kFirstTickMs);
        m_links.trace.record("start", startMs);
        redraw();
        break;
    default:
        // No known mode: the window stays in the running state with no timer until Stop.
        m_state = State::Unknown;
        break;
    }
    return true;
}

void RunController::startTimed(qint64 startMs, qint64 endMs)
{
    m_state = State::Timed;
    m_timer2->startOnce(kFirstTickMs);
    m_links.trace.record("start", startMs);
    m_links.trace.record("end", endMs);
    m_timed->start(startMs, endMs);
    redraw();
}

void RunController::waitReached(qint64 heldMs)
{
    if (m_state != State::Waiting)
        return;
    // A power action is announced now and carried out when its whole lead time has passed; any other
    // action follows at once. A wait that watched for a time counts the ring from where the
    // condition began to hold.
    const qint64 nowMs = m_links.clock.currentMSecsSinceEpoch();
    const qint64 endMs = nowMs + TimedRun::leadMs(m_links.options);
    const qint64 needed = m_wait->neededMs();
    const qint64 ringStartMs = needed > 0 ? std::min(nowMs - heldMs, endMs - needed) : nowMs;
    m_state = State::Timed;
    m_links.trace.record("end", endMs);
    m_timed->start(ringStartMs, endMs);
    redraw();
    m_view.changed();
}

void RunController::waitLost()
{
    // The user is back, or the work has resumed: the announcement goes and the run waits again.
    if (m_state != State::Timed || !m_wait)
        return;
    m_timed->stop();
    m_state = State::Waiting;
    m_links.trace.record("resumed", m_links.clock.currentMSecsSinceEpoch());
    redraw();
    m_view.changed();
}

void RunController::clockTick(qint64 nowMs)
{
    m_nowSampleMs = nowMs;
    if (m_state == State::Timed)
        m_timed->clockTick();
    // The display shows the new sample as soon as the clock's tick is over; an unseen stopwatch
    // is drawn in the same wake-up.
    if (m_state == State::Timed || m_state == State::Waiting)
        m_timer2->startOnce(0);
    else if (m_state == State::Stopwatch && !m_shown)
        redraw();
}

void RunController::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    if (m_state != State::Stopwatch)
        return;
    // The time shown is always the clock's reading against the start: it is right again as soon as
    // the window has finished showing itself.
    if (shown)
        m_timer3->startOnce(0);
    else
        m_timer3->stop();
}

void RunController::Timer2Timer()
{
    if (m_state == State::Waiting && m_wait->neededMs() == 0)
        // The end cannot be foreseen: the ring turns on by a twelfth of a circle at each tick.
        m_turn = (m_turn + CountdownRing::Steps / 12) % CountdownRing::Steps;
    redraw();
    if (m_state == State::Timed)
        m_links.power.setSecondsLeft(secondsShown());
}

bool RunController::postpone(qint64 ms)
{
    if (m_state != State::Timed)
        return false;
    m_timed->postpone(ms);
    return true;
}

void RunController::announcementShown(qint64 shownMs)
{
    if (m_state == State::Timed)
        m_timed->announcementShown(shownMs);
}

void RunController::stop()
{
    quit();
    m_timer2->stop();
    m_timer3->stop();
    m_view.setRunning(false);
    m_view.changed();
    redraw();
    m_links.power.runEnded();
}

void RunController::quit()
{
    m_timed->stop();
    m_wait.reset();
    m_state = State::Idle;
}

void RunController::expire()
{
    // The options are read now, so a change made during the run takes effect.
    TEinst& options = m_links.options;
    const quint8 action = options.GetAktion();
    if (!isKnownAktion(action))
        return; // no known action: the run stays expired until Stop
    m_links.trace.record("expiry", m_links.clock.currentMSecsSinceEpoch());

    stop();
    if (action == AktionNachricht) {
        // A sound file that cannot be played is reported, and the message is shown all the same.
        m_links.guard([this] { m_links.sound.PlayExpirySound(m_links.options); });
        m_view.showMessage();
        if (m_links.options.GetClosePgm())
            m_view.closeProgram();
        return;
    }
    // The program ends after an action that happened (shutting down and restarting end it anyway);
    // after a failure the report stays.
    const bool closeAfter = action != AktionShutdown && action != AktionRestart && options.GetClosePgm();
    const bool force = isForceableAktion(action) && options.GetForce();
    m_links.power.carryOut(action, force, [this, closeAfter] {
        if (closeAfter)
            m_view.closeProgram();
    });
}

qint64 RunController::secondsShown() const
{
    return RunAnnouncement::secondsLeft(RunSchedule::remaining(m_timed->endMs(), m_nowSampleMs));
}

void RunController::redraw()
{
    m_view.show(display());
}

RunDisplay RunController::display() const
{
    RunDisplay d;
    switch (m_state) {
    case State::Idle:
    case State::Unknown:
        break;
    case State::Stopwatch:
        d.kind = RunDisplay::Kind::Stopwatch;
        d.shown = SerialDateTime::formatTimeMs(m_links.clock.currentMSecsSinceEpoch() - m_startMs);
        d.note = d.shown;
        break;
    case State::Waiting: {
        d.kind = RunDisplay::Kind::Waiting;
        d.start = clockTime(m_startMs);
        const qint64 held = m_wait->heldMs(m_nowSampleMs);
        d.shown = SerialDateTime::formatTime(held);
        //: In the caption and the tip while a run waits; %1 is what it waits for (a program's name).
        d.note = QCoreApplication::translate("TMain", "wartet auf %1").arg(m_wait->waitingFor());
        d.figures = m_wait->figures();
        const qint64 needed = m_wait->neededMs();
        switch (m_wait->kind()) {
        case RunWait::Kind::Program:
            d.caption = RunDisplay::Caption::Elapsed;
            break;
        case RunWait::Kind::Inactivity:
            d.caption = RunDisplay::Caption::Inactive;
            break;
        case RunWait::Kind::Quiet:
            d.caption = RunDisplay::Caption::Quiet;
            break;
        }
        if (needed > 0)
            d.remaining = 1.0 - std::clamp(static_cast<double>(held) / static_cast<double>(needed), 0.0, 1.0);
        else
            d.turn = m_turn;
        break;
    }
    case State::Timed: {
        d.kind = RunDisplay::Kind::Timed;
        const qint64 endMs = m_timed->endMs();
        const qint64 remaining = RunSchedule::remaining(endMs, m_nowSampleMs);
        d.start = clockTime(m_startMs);
        d.end = clockTime(endMs);
        d.shown = SerialDateTime::formatTime(remaining);
        d.note = d.shown;
        const qint64 total = endMs - m_timed->startMs();
        d.remaining = total > 0 ? static_cast<double>(remaining) / static_cast<double>(total) : 0.0;
        d.postponable = true;
        break;
    }
    }
    return d;
}

RemoteState RunController::remoteState() const
{
    RemoteState state;
    const TEinst& options = m_links.options;
    state.action = options.GetAktion();
    state.message = options.GetNachricht();
    state.preset = options.GetName();
    switch (m_state) {
    case State::Waiting:
        state.run = RemoteState::Run::Waiting;
        state.startMs = m_startMs;
        break;
    case State::Timed:
        state.run = m_timed->announced() ? RemoteState::Run::Announced : RemoteState::Run::Running;
        state.startMs = m_timed->startMs();
        state.endMs = m_timed->endMs();
        break;
    case State::Stopwatch:
        state.run = RemoteState::Run::Stopwatch;
        state.startMs = m_startMs;
        break;
    case State::Idle:
    case State::Unknown:
        break;
    }
    return state;
}

} // namespace kelvaro
