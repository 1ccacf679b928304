#pragma once

#include <QtGlobal>

#include <memory>
#include <unordered_map>

namespace kelvaro {

class TimerService;
class TSimpleTimer;

/**
 * The receiver all TSimpleTimer objects of one timer service share: it turns a tick's timer id
 * back into the timer object. The first timer creates it, each timer holds a reference, and it
 * goes away with the last one.
 */
class TSimpleTimerHandler
{
public:
    /** The shared handler of `service`, created when there is none. */
    static std::shared_ptr<TSimpleTimerHandler> acquire(TimerService& service);
    /** How many timers hold the shared handler of `service` (0: there is none). */
    static long referenceCount(const TimerService& service);

    TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
    TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;
    ~TSimpleTimerHandler();

    TimerService& service() const { return m_service; }
    /** Registers a timer and returns its id (ids are never reused). */
    quintptr add(TSimpleTimer* timer);
    void remove(quintptr id);

private:
    explicit TSimpleTimerHandler(TimerService& service);
    void tick(quintptr id);

    TimerService& m_service;
    std::unordered_map<quintptr, TSimpleTimer*> m_timers;
};

} // namespace kelvaro
