#include "tray/TSimpleTimer.h"

#include "core/TimerService.h"
#include "tray/TSimpleTimerHandler.h"

namespace kelvaro {

TSimpleTimer::TSimpleTimer(TimerService& service)
    : m_shared(TSimpleTimerHandler::acquire(service)), m_id(m_shared->add(this))
{}

TSimpleTimer::TSimpleTimer(TimerService& service, quint32 intervalMs, Handler handler) : TSimpleTimer(service)
{
    m_interval = intervalMs;
    m_handler = std::move(handler);
}

TSimpleTimer::~TSimpleTimer()
{
    if (m_running)
        stop();
    m_shared->remove(m_id);
}

bool TSimpleTimer::start()
{
    if (m_interval == 0)
        return false;
    if (m_running)
        stop();
    m_running = m_shared->service().setTimer(m_id, m_interval);
    return m_running;
}

void TSimpleTimer::stop()
{
    m_running = false;
    m_shared->service().killTimer(m_id);
}

void TSimpleTimer::setInterval(quint32 intervalMs)
{
    if (intervalMs == m_interval)
        return;
    m_interval = intervalMs;
    if (!m_running)
        return;
    if (m_interval == 0)
        stop();
    else
        start();
}

void TSimpleTimer::tick()
{
    if (!m_running || !m_handler)
        return;
    // A copy, because the handler may destroy this timer.
    const Handler handler = m_handler;
    handler();
}

} // namespace kelvaro
