#pragma once

#include "core/IdleWatcher.h"

#include <functional>
#include <memory>

namespace kelvaro {

/**
 * The idle time of an X11 display: the X Sync extension's IDLETIME counter with an alarm, so the X
 * server wakes the program only when the idle time passes the threshold or input comes back.
 */
class X11IdleClock
{
public:
    /** A watch on the display of $DISPLAY; nothing when there is none or it lacks the counter. */
    static std::unique_ptr<IdleWatch> watch(qint64 thresholdMs, std::function<void(bool idle)> changed);
};

} // namespace kelvaro
