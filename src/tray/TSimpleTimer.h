#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

namespace kelvaro {

class TimerService;
class TSimpleTimerHandler;

/**
 * A light periodic timer without an owner window. All timers of a timer service share one
 * TSimpleTimerHandler that routes the ticks back to them.
 */
class TSimpleTimer
{
public:
    using Handler = std::function<void()>;

    /** A stopped timer with an interval of 1000 ms and no handler. */
    explicit TSimpleTimer(TimerService& service);
    /** A stopped timer with the given interval and handler. */
    TSimpleTimer(TimerService& service, quint32 intervalMs, Handler handler);
    TSimpleTimer(const TSimpleTimer&) = delete;
    TSimpleTimer& operator=(const TSimpleTimer&) = delete;
    /** Stops the timer and leaves the shared handler (the last timer frees it). */
    ~TSimpleTimer();

    /** Starts (or restarts) the timer; refused with false when the interval is 0 or the service refuses. */
    bool start();
    void stop();
    bool isRunning() const { return m_running; }

    quint32 interval() const { return m_interval; }
    /** A running timer restarts with the new interval, or stops when the new interval is 0. */
    void setInterval(quint32 intervalMs);
    /** The code called on every tick. */
    void setHandler(Handler handler) { m_handler = std::move(handler); }

private:
    friend class TSimpleTimerHandler;
    void tick();

    std::shared_ptr<TSimpleTimerHandler> m_shared;
    quintptr m_id;
    quint32 m_interval = 1000;
    bool m_running = false;
    Handler m_handler;
};

} // namespace kelvaro
