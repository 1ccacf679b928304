#include "platform/SystemClock.h"

#include <QDateTime>

namespace kelvaro {

qint64 SystemClock::currentMSecsSinceEpoch() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace kelvaro
