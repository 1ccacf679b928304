#pragma once

#include <QtGlobal>

#include <functional>

namespace kelvaro {

/**
 * Periodic timers by id, the way a window's timers work: setting a timer that runs already
 * restarts it with the new interval, and every period the tick receiver gets the timer's id.
 */
class TimerService
{
public:
    using TickReceiver = std::function<void(quintptr id)>;

    virtual ~TimerService() = default;

    /** Starts or restarts timer `id` with a period of `intervalMs` (above 0); false when refused. */
    virtual bool setTimer(quintptr id, quint32 intervalMs) = 0;
    /** Stops timer `id`; nothing when it does not run. */
    virtual void killTimer(quintptr id) = 0;

    /** Where the ticks go; an empty receiver drops them. */
    void setTickReceiver(TickReceiver receiver) { m_receiver = std::move(receiver); }

protected:
    /** Hands one tick of timer `id` to the receiver. */
    void deliverTick(quintptr id) const
    {
        // A copy, because the receiver may be replaced while it runs.
        const TickReceiver receiver = m_receiver;
        if (receiver)
            receiver(id);
    }

private:
    TickReceiver m_receiver;
};

} // namespace kelvaro
