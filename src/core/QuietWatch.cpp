#include "core/QuietWatch.h"

#include "core/Clock.h"
#include "core/TimerService.h"

#include <algorithm>

namespace kelvaro {

QuietWatch::QuietWatch(LoadSampler& sampler, TimerService& timers, const Clock& clock, Callbacks callbacks)
    : m_sampler(sampler), m_clock(clock), m_callbacks(std::move(callbacks)),
      m_timer(timers.create([this] { sampleNow(); }))
{}

QuietWatch::~QuietWatch() = default;

bool QuietWatch::start(qint32 cpuPercent, qint32 netKBps, qint64 quietTimeMs)
{
    stop();
    if (!limitsWatchable(cpuPercent, netKBps))
        return false;
    const std::optional<LoadSample> first = m_sampler.sample();
    if (!first)
        return false;
    m_cpuLimit = cpuPercent;
    m_netLimit = netKBps;
    m_quietTimeMs = quietTimeMs;
    m_last = *first;
    m_lastMs = m_clock.currentMSecsSinceEpoch();
    m_progress = {};
    m_reached = false;
    m_timer->start(kSampleMs);
    return true;
}

void QuietWatch::stop()
{
    m_timer->stop();
}

bool QuietWatch::isRunning() const
{
    return m_timer->isActive();
}

bool QuietWatch::belowLimits(double cpuPercent, double netKBps) const
{
    return (m_cpuLimit <= 0 || cpuPercent < m_cpuLimit) && (m_netLimit <= 0 || netKBps < m_netLimit);
}

void QuietWatch::sampleNow()
{
    const std::optional<LoadSample> sample = m_sampler.sample();
    if (!sample)
        return; // a reading that failed neither adds to the quiet time nor breaks it
    const qint64 nowMs = m_clock.currentMSecsSinceEpoch();
    // The time since the previous reading, as the clock saw it; a clock that jumped (a suspend, a
    // change of the system time) counts as one sample, since nothing was watched in between.
    qint64 stepMs = nowMs - m_lastMs;
    if (stepMs <= 0 || stepMs > 2 * kSampleMs)
        stepMs = kSampleMs;
    m_progress.cpuPercent = busyPercent(m_last.cpu, sample->cpu);
    m_progress.netKBps = double(bytesMoved(m_last.net, sample->net)) / double(stepMs); // bytes per ms = kB/s
    m_last = *sample;
    m_lastMs = nowMs;

    const bool wasReached = m_reached;
    if (belowLimits(m_progress.cpuPercent, m_progress.netKBps)) {
        m_progress.quietMs += stepMs;
    } else {
        m_progress.quietMs = 0;
        m_reached = false;
    }
    // The load is known once a second, and the timer may tick a little early: the quiet time is
    // reached with the sample nearest to it, not a whole second after it.
    const bool nowReached = !m_reached && m_progress.quietMs + kSampleMs / 2 >= m_quietTimeMs;
    if (nowReached)
        m_reached = true;

    // A callback may end the watch: then no further one runs.
    const std::weak_ptr<bool> alive = m_alive;
    if (m_callbacks.progress)
        m_callbacks.progress(m_progress);
    if (alive.expired())
        return;
    if (wasReached && !m_reached) {
        if (m_callbacks.loadReturned)
            m_callbacks.loadReturned();
    } else if (nowReached && m_callbacks.reached) {
        m_callbacks.reached();
    }
}

} // namespace kelvaro
