#include "windows/MainRun.h"

#include "widgets/GeneralErrorHandler.h"
#include "windows/Announcer.h"
#include "windows/MainServices.h"
#include "windows/PowerActionRun.h"
#include "windows/WindowSeen.h"

namespace kelvaro {

MainRun::MainRun(const MainServices& services, TEinst& options, GeneralErrorHandler& errors, QWidget& shownIn,
                 Window window)
{
    const auto guard = [&errors](const std::function<void()>& step) {
        errors.guard(step);
    };
    m_announcer = std::make_unique<Announcer>(
        services.notifications, services.timers, services.clock,
        Announcer::Choices{window.cancel, [this, guard] { guard([this] { m_run->postpone(); }); },
                           [this] {
                               m_power->forceAtEnd();
                           }},
        [this](qint64 shownMs) { m_run->announcementShown(shownMs); });
    m_announcer->setKeepClear(std::move(window.keepClear));
    m_power = std::make_unique<PowerActionRun>(
        PowerActionRun::Links{services.power, services.boxes, services.notifications, *m_announcer});
    m_power->noteChanged = std::move(window.noteChanged);
    m_run = std::make_unique<RunController>(
        RunController::Links{services.clock,
                             services.timers,
                             options,
                             services.boxes,
                             *m_power,
                             services.sound,
                             services.runTrace,
                             {services.processes, services.idle, services.load, services.timers, services.clock},
                             guard},
        std::move(window.view));
    m_seen = std::make_unique<WindowSeen>(shownIn, [this](bool seen) { m_run->setShown(seen); });
}

MainRun::~MainRun() = default;

TVorwarnung* MainRun::announcementWindow() const
{
    return m_announcer->window();
}

} // namespace kelvaro
