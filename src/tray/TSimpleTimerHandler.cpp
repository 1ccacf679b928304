#include "tray/TSimpleTimerHandler.h"

#include "core/TimerService.h"
#include "tray/TSimpleTimer.h"

namespace kelvaro {

namespace {

std::unordered_map<const TimerService*, std::weak_ptr<TSimpleTimerHandler>>& handlers()
{
    static std::unordered_map<const TimerService*, std::weak_ptr<TSimpleTimerHandler>> map;
    return map;
}

} // namespace

std::shared_ptr<TSimpleTimerHandler> TSimpleTimerHandler::acquire(TimerService& service)
{
    std::weak_ptr<TSimpleTimerHandler>& slot = handlers()[&service];
    std::shared_ptr<TSimpleTimerHandler> handler = slot.lock();
    if (!handler) {
        handler.reset(new TSimpleTimerHandler(service));
        slot = handler;
    }
    return handler;
}

long TSimpleTimerHandler::referenceCount(const TimerService& service)
{
    const auto it = handlers().find(&service);
    return it == handlers().end() ? 0 : it->second.use_count();
}

TSimpleTimerHandler::TSimpleTimerHandler(TimerService& service) : m_service(service)
{
    m_service.setTickReceiver([this](quintptr id) { tick(id); });
}

TSimpleTimerHandler::~TSimpleTimerHandler()
{
    m_service.setTickReceiver({});
    handlers().erase(&m_service);
}

quintptr TSimpleTimerHandler::add(TSimpleTimer* timer)
{
    static quintptr lastId = 0;
    const quintptr id = ++lastId;
    m_timers.emplace(id, timer);
    return id;
}

void TSimpleTimerHandler::remove(quintptr id)
{
    m_timers.erase(id);
}

void TSimpleTimerHandler::tick(quintptr id)
{
    // A late tick of a timer that is gone finds nothing.
    const auto it = m_timers.find(id);
    if (it != m_timers.end())
        it->second->tick();
}

} // namespace kelvaro
