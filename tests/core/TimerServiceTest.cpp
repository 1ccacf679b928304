// What every timer service promises, shown on the virtual time the window tests run on.
#include "mock/FakeClock.h"
#include "mock/VirtualTimerService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class VirtualTimers : public ::testing::Test
{
protected:
    FakeClock clock;
    VirtualTimerService timers{clock};
    std::vector<std::string> log;

    /** A timer that logs "<name>@<virtual time>" at each timeout. */
    std::unique_ptr<Timer> logging(const std::string& name)
    {
        return timers.create([this, name] { log.push_back(name + "@" + std::to_string(timers.now())); });
    }
};

TEST_F(VirtualTimers, TimeOutInTimeOrderAlsoWhenCallbacksStartAndStopTimers)
{
    clock.msecs = 5'000;
    auto late = logging("late");
    auto started = logging("started");
    auto periodic = logging("periodic");
    auto first = timers.create([&] {
        log.push_back("first@" + std::to_string(timers.now()));
        started->startOnce(50); // due at 150, between two periodic timeouts
        late->stop();           // was due at 200
    });
    late->startOnce(200);
    first->startOnce(100);
    periodic->start(60);
    EXPECT_EQ(periodic->interval(), 60);
    timers.advance(250);
    EXPECT_EQ(log, (std::vector<std::string>{"periodic@60", "first@100", "periodic@120", "started@150", "periodic@180",
                                             "periodic@240"}));
    EXPECT_EQ(timers.timeouts(), 6);
    EXPECT_EQ(clock.msecs, 5'250);
    EXPECT_FALSE(first->isActive()) << "a single shot is over";
    EXPECT_TRUE(periodic->isActive());

    // Started anew: the new period counts from now. Due together: in the order they were started.
    periodic->start(100);
    first->startOnce(100);
    timers.advance(100);
    EXPECT_EQ(log.back(), "first@350");
    EXPECT_EQ(log.at(log.size() - 2), "periodic@350");
}

TEST_F(VirtualTimers, CallbackNeverRunsInsideItself)
{
    // The callback opens a "modal window" the first time, in which the test lets 1 s pass.
    int depth = 0;
    int maxDepth = 0;
    std::vector<qint64> at;
    std::unique_ptr<Timer> other = logging("other");
    std::unique_ptr<Timer> timer = timers.create([&] {
        maxDepth = std::max(maxDepth, ++depth);
        at.push_back(timers.now());
        if (at.size() == 1)
            timers.advance(1'000);
        --depth;
    });
    timer->start(100);
    other->start(300);
    timers.advance(1'250);
    EXPECT_EQ(maxDepth, 1);
    // Held while it ran (from 100 to 1100) and delivered once after it returned, then on time again.
    EXPECT_EQ(at, (std::vector<qint64>{100, 1'100, 1'200}));
    EXPECT_EQ(log, (std::vector<std::string>{"other@300", "other@600", "other@900", "other@1200"}))
        << "other timers go on in the modal window";

    // A timeout held for later is dropped when the callback stops its timer.
    at.clear();
    timer = timers.create([&] {
        at.push_back(timers.now());
        timers.advance(500);
        timer->stop();
    });
    timer->start(100);
    timers.advance(1'000);
    EXPECT_EQ(at.size(), 1u);
}

TEST_F(VirtualTimers, TimerMayBeDestroyedByItsOwnCallback)
{
    int calls = 0;
    std::unique_ptr<Timer> timer;
    timer = timers.create([&] {
        ++calls;
        timer.reset();
    });
    timer->start(10);
    timers.advance(100);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(timers.activeCount(), 0);
}

TEST_F(VirtualTimers, ClockJumpIsNotSeenByTheTimers)
{
    auto timer = logging("a");
    timer->startOnce(1'000);
    clock.advance(600'000); // a suspend, or the system time set on
    timers.advance(999);
    EXPECT_TRUE(log.empty());
    timers.advance(1);
    EXPECT_EQ(log, std::vector<std::string>{"a@1000"});
    EXPECT_EQ(clock.msecs, 601'000);
}

} // namespace
