// The program's timers on Qt's event loop, in real time.
#include "platform/QtTimerService.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>

using namespace kelvaro;

namespace {

/** Runs the event loop for `ms` milliseconds. */
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(QtTimers, PeriodicAndSingleShot)
{
    QtTimerService service;
    int periodic = 0;
    int once = 0;
    auto a = service.create([&] { ++periodic; }, TimerPrecision::Coarse);
    auto b = service.create([&] { ++once; }, TimerPrecision::Precise);
    a->start(20);
    b->startOnce(30);
    EXPECT_TRUE(a->isActive());
    EXPECT_TRUE(b->isActive());
    EXPECT_EQ(a->interval(), 20);
    EXPECT_EQ(b->interval(), 30);
    EXPECT_TRUE(QTest::qWaitFor([&] { return periodic >= 3 && once == 1; }, 5'000));
    EXPECT_FALSE(b->isActive());
    a->stop();
    EXPECT_FALSE(a->isActive());
    const int stoppedAt = periodic;
    runFor(100);
    EXPECT_EQ(periodic, stoppedAt);
    EXPECT_EQ(once, 1);
}

TEST(QtTimers, SingleShotStartedAnewInItsCallbackWaitsForTheCallbackToReturn)
{
    QtTimerService service;
    int depth = 0;
    int maxDepth = 0;
    int calls = 0;
    std::unique_ptr<Timer> timer;
    timer = service.create(
        [&] {
            ++depth;
            maxDepth = std::max(maxDepth, depth);
            if (++calls == 1) {
                timer->startOnce(10);
                runFor(150); // a modal window opened after the timer was started anew
            }
            --depth;
        },
        TimerPrecision::Precise);
    timer->startOnce(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls >= 2; }, 5'000));
    runFor(50);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(maxDepth, 1);
}

TEST(QtTimers, TimerMayBeDestroyedByItsOwnCallback)
{
    QtTimerService service;
    int calls = 0;
    std::unique_ptr<Timer> timer;
    timer = service.create(
        [&] {
            ++calls;
            timer.reset();
        },
        TimerPrecision::Coarse);
    timer->start(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer; }, 5'000));
    runFor(50);
    EXPECT_EQ(calls, 1);
}

TEST(QtTimers, DelaysBeyondOneQTimerAreKept)
{
    QtTimerService service;
    auto timer = service.create([] {}, TimerPrecision::Coarse);
    const qint64 fortyDays = 40LL * 24 * 3'600'000;
    timer->startOnce(fortyDays);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), fortyDays);
    timer->start(fortyDays); // a period is kept within what one QTimer holds
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), std::numeric_limits<int>::max());
    timer->start(0);
    EXPECT_EQ(timer->interval(), 1);
    timer->stop();
}

} // namespace
