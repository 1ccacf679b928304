#pragma once

#include "core/LoadFigures.h"

#include <QtGlobal>

#include <functional>
#include <memory>

namespace kelvaro {

class Clock;
class Timer;
class TimerService;

/** What a QuietWatch reports at each sample. */
struct QuietProgress
{
    /** How long both figures have stayed below their limits without a break. */
    qint64 quietMs = 0;
    /** The processor use of all cores over the latest second, in percent. */
    double cpuPercent = 0.0;
    /** The network traffic over the latest second, received plus sent, in kB/s (1000 bytes). */
    double netKBps = 0.0;
};

/**
 * Waits for the machine to go quiet: samples the load once a second; the processor use below its
 * limit (percent) and the network traffic below its limit (kB/s), both without a break for the quiet
 * time. One sample over a limit starts the quiet time again. A limit of 0 is not watched.
 */
class QuietWatch
{
public:
    struct Callbacks
    {
        /** After every sample. */
        std::function<void(const QuietProgress&)> progress;
        /** Once the quiet time has been reached. */
        std::function<void()> reached;
        /** After `reached`, the first sample over a limit again: the work has resumed and the quiet
         *  time starts again (the next `reached` follows after another quiet time). */
        std::function<void()> loadReturned;
    };

    static constexpr qint64 kSampleMs = 1000;

    /** Whether the limits can be waited for: not both 0 (nothing would be watched). */
    static bool limitsWatchable(qint32 cpuPercent, qint32 netKBps) { return cpuPercent > 0 || netKBps > 0; }

    QuietWatch(LoadSampler& sampler, TimerService& timers, const Clock& clock, Callbacks callbacks);
    ~QuietWatch();
    QuietWatch(const QuietWatch&) = delete;
    QuietWatch& operator=(const QuietWatch&) = delete;

    /** Takes the first reading and starts sampling; false (and nothing started) when the limits are
     *  not watchable or the counters cannot be read. The callbacks may destroy the watch. */
    bool start(qint32 cpuPercent, qint32 netKBps, qint64 quietTimeMs);
    void stop();
    bool isRunning() const;
    /** The latest report; all zero before the first sample. */
    const QuietProgress& progress() const { return m_progress; }
    bool isReached() const { return m_reached; }

private:
    void sampleNow();
    bool belowLimits(double cpuPercent, double netKBps) const;

    LoadSampler& m_sampler;
    const Clock& m_clock;
    Callbacks m_callbacks;
    std::unique_ptr<Timer> m_timer;
    qint32 m_cpuLimit = 0;
    qint32 m_netLimit = 0;
    qint64 m_quietTimeMs = 0;
    LoadSample m_last;
    qint64 m_lastMs = 0;
    QuietProgress m_progress;
    bool m_reached = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace kelvaro
