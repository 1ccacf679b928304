#include "core/TimerService.h"

namespace kelvaro {

TimerCallback::TimerCallback(std::function<void()> onTimeout)
    : m_onTimeout(std::make_shared<const std::function<void()>>(std::move(onTimeout))),
      m_alive(std::make_shared<bool>(true))
{}

TimerCallback::~TimerCallback()
{
    *m_alive = false;
}

void TimerCallback::timeout()
{
    if (m_running) {
        m_pending = true;
        return;
    }
    // Held here, because the callback may destroy the timer and with it this object.
    const std::shared_ptr<bool> alive = m_alive;
    const std::shared_ptr<const std::function<void()>> onTimeout = m_onTimeout;
    // Over also when the callback throws.
    struct Running
    {
        TimerCallback& callback;
        const std::shared_ptr<bool>& alive;
        ~Running()
        {
            if (*alive)
                callback.m_running = false;
        }
    } running{*this, alive};
    m_running = true;
    do {
        m_pending = false;
        if (*onTimeout)
            (*onTimeout)();
    } while (*alive && m_pending);
}

} // namespace kelvaro
