#pragma once

#include "core/Clock.h"

namespace kelvaro {

/** The system's real-time clock. */
class SystemClock : public Clock
{
public:
    qint64 currentMSecsSinceEpoch() const override;
};

} // namespace kelvaro
