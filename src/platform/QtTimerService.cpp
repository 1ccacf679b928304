#include "platform/QtTimerService.h"

#include <QTimer>

#include <limits>

namespace kelvaro {

QtTimerService::QtTimerService(QObject* parent) : QObject(parent) {}

bool QtTimerService::setTimer(quintptr id, quint32 intervalMs)
{
    if (intervalMs == 0 || intervalMs > static_cast<quint32>(std::numeric_limits<int>::max()))
        return false;
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { deliverTick(id); });
    }
    timer->start(static_cast<int>(intervalMs));
    return true;
}

void QtTimerService::killTimer(quintptr id)
{
    const auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    QTimer* timer = it->second;
    m_timers.erase(it);
    timer->stop();
    // Later, because the timer may be killed from its own timeout.
    timer->deleteLater();
}

} // namespace kelvaro
