#include "core/Clock.h"

#include "core/SerialDateTime.h"

namespace kelvaro {

double Clock::now() const
{
    return SerialDateTime::fromMSecsSinceEpoch(currentMSecsSinceEpoch());
}

} // namespace kelvaro
