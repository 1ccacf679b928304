#include "mock/ManualTimerService.h"
#include "tray/TSimpleTimer.h"
#include "tray/TSimpleTimerHandler.h"

#include <gtest/gtest.h>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

TEST(SimpleTimer, TicksEveryIntervalWhileRunning)
{
    ManualTimerService service;
    int ticks = 0;
    TSimpleTimer timer(service, 100, [&ticks] { ++ticks; });
    EXPECT_FALSE(timer.isRunning());
    service.advance(500);
    EXPECT_EQ(ticks, 0);
    ASSERT_TRUE(timer.start());
    service.advance(350);
    EXPECT_EQ(ticks, 3);
    timer.stop();
    service.advance(500);
    EXPECT_EQ(ticks, 3);
}

TEST(SimpleTimer, ZeroIntervalIsRefused)
{
    ManualTimerService service;
    TSimpleTimer timer(service);
    EXPECT_EQ(timer.interval(), 1000u);
    timer.setInterval(0);
    EXPECT_FALSE(timer.start());
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(service.runningCount(), 0u);
}

TEST(SimpleTimer, NewIntervalRestartsOrStopsARunningTimer)
{
    ManualTimerService service;
    int ticks = 0;
    TSimpleTimer timer(service, 100, [&ticks] { ++ticks; });
    timer.start();
    service.advance(90);
    timer.setInterval(50);
    service.advance(40);
    EXPECT_EQ(ticks, 0) << "restarted at 90 ms";
    service.advance(10);
    EXPECT_EQ(ticks, 1);
    timer.setInterval(0);
    EXPECT_FALSE(timer.isRunning());
    service.advance(500);
    EXPECT_EQ(ticks, 1);
}

TEST(SimpleTimer, TimerMayDestroyItselfInItsHandler)
{
    ManualTimerService service;
    auto timer = std::make_unique<TSimpleTimer>(service, 10, TSimpleTimer::Handler{});
    int ticks = 0;
    timer->setHandler([&] {
        ++ticks;
        timer.reset();
    });
    timer->start();
    service.advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(service.runningCount(), 0u);
    EXPECT_EQ(TSimpleTimerHandler::referenceCount(service), 0);
}

} // namespace
