#include "platform/Clock.h"

#include "platform/SerialDateTime.h"

#include <QDateTime>

namespace kelvaro {

double Clock::now() const
{
    return SerialDateTime::fromMSecsSinceEpoch(currentMSecsSinceEpoch());
}

qint64 SystemClock::currentMSecsSinceEpoch() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace kelvaro
