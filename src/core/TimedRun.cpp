#include "core/TimedRun.h"

#include "core/Clock.h"
#include "core/TEinst.h"
#include "core/TimerService.h"

#include <algorithm>

namespace kelvaro {

TimedRun::TimedRun(const Clock& clock, TimerService& timers, const TEinst& options, Handlers handlers)
    : m_clock(clock), m_options(options), m_handlers(std::move(handlers)),
      m_timer(timers.create([this] { step(true); }, TimerPrecision::Precise))
{}

TimedRun::~TimedRun() = default;

qint64 TimedRun::leadMs(const TEinst& options)
{
    return RunAnnouncement::of(options) ? qint64(options.GetVorwarnzeit()) * 1000 : 0;
}

void TimedRun::start(qint64 startMs, qint64 endMs)
{
    stop();
    m_running = true;
    m_startMs = startMs;
    m_endMs = endMs;
    m_lastLookMs = m_clock.currentMSecsSinceEpoch();
    step(false);
}

void TimedRun::stop()
{
    m_running = false;
    m_timer->stop();
    withdraw();
}

void TimedRun::postpone(qint64 ms)
{
    if (!m_running)
        return;
    const qint64 now = m_clock.currentMSecsSinceEpoch();
    if (m_endMs + ms - now > leadMs(m_options))
        withdraw();
    moveEnd(m_endMs + ms);
    // The program looks at the clock now: an announcement due already is not a missed one.
    m_lastLookMs = now;
    step(false);
}

void TimedRun::announcementShown(qint64 shownMs)
{
    if (!m_running || !m_announced || m_shown)
        return;
    m_shown = true;
    const qint64 due = shownMs + m_announcedLeadMs;
    if (due > m_endMs)
        moveEnd(due);
    m_timer->startOnce(std::max<qint64>(m_endMs - m_clock.currentMSecsSinceEpoch(), 0));
}

void TimedRun::clockTick()
{
    step(false);
}

bool TimedRun::missed(qint64 moment, qint64 now) const
{
    return now - std::max(moment, m_lastLookMs) > kGapMs;
}

void TimedRun::step(bool mayExpire)
{
    if (!m_running)
        return;
    const qint64 now = m_clock.currentMSecsSinceEpoch();
    const std::optional<RunAnnouncement> wanted = RunAnnouncement::of(m_options);
    const qint64 leadMs = TimedRun::leadMs(m_options);

    // An announcement that no longer fits goes: the action, its force flag or the lead time changed,
    // or the clock went back to well before the moment of the announcement.
    if (m_announced && (m_announced != wanted || m_endMs - now > leadMs + kGapMs))
        withdraw();

    if (wanted && !m_announced && now >= m_endMs - leadMs) {
        // Gone by unseen: the action gets its whole lead time from now on.
        if (missed(m_endMs - leadMs, now))
            moveEnd(std::max(m_endMs, now + leadMs));
        announce(*wanted, now);
    }

    if (now >= m_endMs) {
        if (m_announced && missed(m_endMs, now)) {
            // The end went by while the announcement could not be seen: it is shown again and the
            // action waits its lead time.
            moveEnd(now + leadMs);
            announce(*m_announced, now);
        } else if (m_announced && !m_shown) {
            // Not on the screen yet: the action waits for it (announcementShown() wakes the run).
            m_lastLookMs = now;
            m_timer->stop();
            return;
        } else if (mayExpire) {
            m_lastLookMs = now;
            m_timer->stop();
            if (m_handlers.expire)
                m_handlers.expire();
            return;
        }
    }

    m_lastLookMs = now;
    const qint64 next = wanted && !m_announced ? m_endMs - leadMs : m_endMs;
    m_timer->startOnce(std::max<qint64>(next - now, 0));
}

void TimedRun::withdraw()
{
    if (!m_announced)
        return;
    m_announced.reset();
    if (m_handlers.withdraw)
        m_handlers.withdraw();
}

void TimedRun::announce(const RunAnnouncement& announcement, qint64 nowMs)
{
    m_announced = announcement;
    m_shown = false;
    m_announcedLeadMs = m_endMs - nowMs;
    if (m_handlers.announce)
        m_handlers.announce(announcement, nowMs);
}

void TimedRun::moveEnd(qint64 endMs)
{
    m_endMs = endMs;
    if (m_handlers.endMoved)
        m_handlers.endMoved();
}

} // namespace kelvaro
