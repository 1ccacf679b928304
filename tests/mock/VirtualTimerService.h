#pragma once

#include "core/TimerService.h"
#include "mock/FakeClock.h"

#include <algorithm>
#include <memory>
#include <set>

namespace kelvaro::test {

/**
 * Timers on a virtual time that moves only when the test calls advance(), and the FakeClock moved
 * along with it. Timers due at the same moment time out in the order they were started (a periodic
 * timer counts as started anew at each timeout), as Qt's do. The clock may also be set on its own:
 * that is the wall clock jumping (a suspend, a change of the system time), which timers do not see.
 */
class VirtualTimerService : public TimerService
{
public:
    explicit VirtualTimerService(FakeClock& clock) : m_clock(clock) {}
    ~VirtualTimerService() override
    {
        for (VirtualTimer* timer : m_timers)
            timer->m_service = nullptr;
    }

    /**
     * Moves the time (and the clock) on by `ms`, timing out every timer that falls due on the way,
     * in time order, also those that callbacks start on the way. A callback may advance the time
     * itself (a test answering a modal window a callback opened); the outer advance goes on from there.
     */
    void advance(qint64 ms)
    {
        const qint64 end = m_now + std::max<qint64>(ms, 0);
        while (VirtualTimer* next = nextDue(end)) {
            moveTo(next->m_due);
            next->fire();
        }
        moveTo(std::max(end, m_now));
    }

    /** The virtual time in milliseconds since the service was made. */
    qint64 now() const { return m_now; }
    /** How many timers are active. */
    int activeCount() const
    {
        return static_cast<int>(
            std::count_if(m_timers.begin(), m_timers.end(), [](const VirtualTimer* t) { return t->m_active; }));
    }
    /** How many timeouts have been delivered so far: the program's wake-ups. */
    int timeouts() const { return m_timeouts; }

protected:
    std::unique_ptr<Timer> createTimer(std::function<void()> onTimeout, TimerPrecision) override
    {
        // Virtual time is exact for coarse and precise timers alike.
        return std::make_unique<VirtualTimer>(*this, std::move(onTimeout));
    }

private:
    class VirtualTimer final : public Timer
    {
    public:
        VirtualTimer(VirtualTimerService& service, std::function<void()> onTimeout)
            : m_service(&service), m_callback(std::move(onTimeout))
        {
            m_service->m_timers.insert(this);
        }
        ~VirtualTimer() override
        {
            if (m_service)
                m_service->m_timers.erase(this);
        }

        void start(qint64 intervalMs) override { arm(std::max<qint64>(intervalMs, 1), false); }
        void startOnce(qint64 delayMs) override { arm(std::max<qint64>(delayMs, 0), true); }
        void stop() override
        {
            m_active = false;
            m_callback.forgetPending();
        }
        bool isActive() const override { return m_active; }
        qint64 interval() const override { return m_interval; }

        void arm(qint64 ms, bool once)
        {
            m_interval = ms;
            m_once = once;
            m_active = true;
            m_callback.forgetPending();
            schedule(m_service ? m_service->m_now + ms : 0);
        }
        void schedule(qint64 due)
        {
            m_due = due;
            m_order = m_service ? ++m_service->m_lastOrder : 0;
        }
        void fire()
        {
            if (m_once)
                m_active = false;
            else
                schedule(m_due + m_interval);
            ++m_service->m_timeouts;
            m_callback.timeout();
        }

        VirtualTimerService* m_service;
        TimerCallback m_callback;
        qint64 m_interval = 0;
        bool m_once = false;
        bool m_active = false;
        qint64 m_due = 0;
        quint64 m_order = 0;
    };

    VirtualTimer* nextDue(qint64 end) const
    {
        VirtualTimer* next = nullptr;
        for (VirtualTimer* timer : m_timers)
            if (timer->m_active && timer->m_due <= end &&
                (!next || timer->m_due < next->m_due ||
                 (timer->m_due == next->m_due && timer->m_order < next->m_order)))
                next = timer;
        return next;
    }

    void moveTo(qint64 time)
    {
        // A timer started in the past (by a callback of a nested advance) is due now, not earlier.
        if (time <= m_now)
            return;
        m_clock.advance(time - m_now);
        m_now = time;
    }

    FakeClock& m_clock;
    std::set<VirtualTimer*> m_timers;
    qint64 m_now = 0;
    quint64 m_lastOrder = 0;
    int m_timeouts = 0;
};

} // namespace kelvaro::test
