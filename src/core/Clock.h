#pragma once

#include <QtGlobal>

namespace kelvaro {

/**
 * Where the program reads the time. The run keeps its deadline as an absolute moment
 * (milliseconds since the Unix epoch), so changes to and from daylight-saving time and a
 * suspended machine cannot move it; displays convert to local time through SerialDateTime.
 */
class Clock
{
public:
    virtual ~Clock() = default;
    /** The current moment in milliseconds since 1970-01-01 00:00 UTC. */
    virtual qint64 currentMSecsSinceEpoch() const = 0;
    /** The current local date and time as a serial date-time (days since 1899-12-30). */
    double now() const;
};

} // namespace kelvaro
