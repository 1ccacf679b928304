#pragma once

#include "core/IdleWatcher.h"

#include <functional>
#include <memory>

namespace kelvaro {

class TimerService;

/**
 * The idle time of an X11 display: the X Sync extension's IDLETIME counter with an alarm, so the X
 * server wakes the program only when the idle time passes the threshold or input comes back. Where
 * the server lacks it, the MIT-SCREEN-SAVER extension's time since the latest input, looked at when
 * the threshold can have been reached and, while idle, once a second.
 */
class X11IdleClock
{
public:
    /** A watch on the display of $DISPLAY; nothing when there is none or it has neither extension. */
    static std::unique_ptr<IdleWatch> watch(TimerService& timers, qint64 thresholdMs,
                                            std::function<void(bool idle)> changed);
    /** The same through MIT-SCREEN-SAVER alone. */
    static std::unique_ptr<IdleWatch> watchScreenSaver(TimerService& timers, qint64 thresholdMs,
                                                       std::function<void(bool idle)> changed);
};

} // namespace kelvaro
