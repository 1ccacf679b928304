#pragma once

#include "core/TimerService.h"

namespace kelvaro {

/**
 * The program's timers: each a QTimer on the user-interface thread, coarse (Qt's default) or
 * precise (Qt::PreciseTimer). Delays beyond what one QTimer holds (about 24 days) are waited out in
 * parts; intervals are kept within 1 ms and that limit.
 */
class QtTimerService : public TimerService
{
protected:
    std::unique_ptr<Timer> createTimer(std::function<void()> onTimeout, TimerPrecision precision) override;
};

} // namespace kelvaro
