#pragma once

#include <QtGlobal>

namespace kelvaro {

/**
 * Where the main window reports the moments of a countdown or clock-time run, so that they can be
 * timed from outside (the benchmarks measure how late the expiry comes).
 */
class RunTrace
{
public:
    virtual ~RunTrace() = default;
    /** `event` ("start", "end", "expiry") happened, or is due, at `msecsSinceEpoch`. */
    virtual void record(const char* event, qint64 msecsSinceEpoch) = 0;

    /** A trace that records nothing. */
    static RunTrace& none();
};

} // namespace kelvaro
