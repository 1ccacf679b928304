#pragma once

#include "core/TimerService.h"

#include <map>

namespace kelvaro::test {

/** Timers on a time that only moves when the test moves it. */
class ManualTimerService : public TimerService
{
public:
    bool setTimer(quintptr id, quint32 intervalMs) override
    {
        m_timers[id] = {intervalMs, m_now + intervalMs};
        return true;
    }
    void killTimer(quintptr id) override { m_timers.erase(id); }

    std::size_t runningCount() const { return m_timers.size(); }

    /** Moves the time on by `ms`, firing every timer that comes due on the way, in time order. */
    void advance(qint64 ms)
    {
        const qint64 end = m_now + ms;
        for (;;) {
            auto next = m_timers.end();
            for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
                if (next == m_timers.end() || it->second.due < next->second.due)
                    next = it;
            if (next == m_timers.end() || next->second.due > end)
                break;
            m_now = next->second.due;
            next->second.due += next->second.interval;
            deliverTick(next->first);
        }
        m_now = end;
    }

private:
    struct Timer
    {
        qint64 interval;
        qint64 due;
    };
    qint64 m_now = 0;
    std::map<quintptr, Timer> m_timers;
};

} // namespace kelvaro::test
