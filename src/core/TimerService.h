#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

namespace kelvaro {

/** How closely a timer keeps to its moment. */
enum class TimerPrecision {
    /** The system may move the timeout a little to save wake-ups (about 5 % of the interval). */
    Coarse,
    /** To the millisecond, for an action that is due at an exact moment. */
    Precise,
};

/**
 * One timer of a TimerService, on the user-interface thread. Starting a timer that runs already
 * starts it anew. Its callback never runs inside itself: a timeout that falls due while the
 * callback is still running (for instance in a modal window the callback opened) is delivered once,
 * right after the callback has returned, unless the timer was stopped or started anew meanwhile.
 * Destroying the timer stops it; it may be destroyed from its own callback.
 */
class Timer
{
public:
    virtual ~Timer() = default;

    /** Times out every `intervalMs` milliseconds (at least 1), the first time one interval from now. */
    virtual void start(qint64 intervalMs) = 0;
    /** Times out once, `delayMs` milliseconds from now (0 or less: as soon as the program is idle). */
    virtual void startOnce(qint64 delayMs) = 0;
    virtual void stop() = 0;
    /** Whether a timeout is still to come: a single-shot timer is no longer active once it timed out. */
    virtual bool isActive() const = 0;
    /** The interval or delay of the latest start; 0 before the first. */
    virtual qint64 interval() const = 0;
};

/** Where the windows and the tray icon get their timers: the program's, or a virtual time in tests. */
class TimerService
{
public:
    virtual ~TimerService() = default;

    /** A stopped timer that calls `onTimeout` at each timeout. */
    std::unique_ptr<Timer> create(std::function<void()> onTimeout, TimerPrecision precision = TimerPrecision::Coarse)
    {
        return createTimer(std::move(onTimeout), precision);
    }

protected:
    virtual std::unique_ptr<Timer> createTimer(std::function<void()> onTimeout, TimerPrecision precision) = 0;
};

/**
 * For implementations of Timer: runs the callback the way Timer promises, never inside itself and
 * safely when the timer is destroyed by its own callback.
 */
class TimerCallback
{
public:
    explicit TimerCallback(std::function<void()> onTimeout);
    TimerCallback(const TimerCallback&) = delete;
    TimerCallback& operator=(const TimerCallback&) = delete;
    ~TimerCallback();

    /** One timeout: runs the callback, or, while it runs, makes it run once more after it returned. */
    void timeout();
    /** The timer was stopped or started anew: a timeout kept for later is dropped. */
    void forgetPending() { m_pending = false; }

private:
    std::shared_ptr<const std::function<void()>> m_onTimeout;
    std::shared_ptr<bool> m_alive;
    bool m_running = false;
    bool m_pending = false;
};

} // namespace kelvaro
