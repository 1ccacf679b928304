// Waiting for a quiet machine on virtual time, with the load counters scripted second by second;
// and the readers of /proc/stat and /proc/net/dev on texts as the kernel writes them.
#include "core/QuietWatch.h"

#include "mock/ScriptedLoadSampler.h"
#include "mock/VirtualTimerService.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace kelvaro;

namespace {

struct QuietCase
{
    const char* name;
    qint32 cpuLimit, netLimit;
    qint64 quietSeconds;
    std::vector<std::pair<int, int>> seconds; // the last one holds on
    const char* events;                       // over the first 12 seconds: "reached@3 returned@5 ..."
};

class QuietTable : public ::testing::TestWithParam<QuietCase>
{};

TEST_P(QuietTable, ReportsReachedAndReturnedLoad)
{
    const QuietCase& c = GetParam();
    test::FakeClock clock;
    test::VirtualTimerService timers(clock);
    test::ScriptedLoadSampler load;
    load.seconds = c.seconds;
    std::string events;
    QuietProgress latest;
    QuietWatch watch(load, timers, clock,
                     {[&](const QuietProgress& p) { latest = p; },
                      [&] { events += " reached@" + std::to_string(timers.now() / 1000); },
                      [&] {
                          events += " returned@" + std::to_string(timers.now() / 1000);
                      }});
    ASSERT_TRUE(watch.start(c.cpuLimit, c.netLimit, c.quietSeconds * 1000));
    timers.advance(12000);
    EXPECT_EQ(events, c.events);
    const auto [lastCpu, lastNet] = c.seconds.back();
    EXPECT_DOUBLE_EQ(latest.cpuPercent, lastCpu);
    EXPECT_DOUBLE_EQ(latest.netKBps, lastNet);
    EXPECT_EQ(timers.timeouts(), 12); // one reading a second, nothing more
}

INSTANTIATE_TEST_SUITE_P(
    Table, QuietTable,
    ::testing::Values(
        QuietCase{"QuietFromTheStart", 10, 50, 3, {{5, 10}}, " reached@3"},
        QuietCase{"LimitsAreStrict", 10, 50, 3, {{10, 10}, {5, 50}, {5, 49}}, " reached@5"},
        QuietCase{"OneBusySampleStartsAgain", 10, 50, 3, {{5, 10}, {5, 10}, {90, 10}, {5, 10}}, " reached@6"},
        QuietCase{"OneTrafficSampleStartsAgain", 10, 50, 3, {{5, 10}, {5, 10}, {5, 900}, {5, 10}}, " reached@6"},
        QuietCase{"TrafficNotWatched", 10, 0, 3, {{5, 100000}}, " reached@3"},
        QuietCase{"ProcessorNotWatched", 0, 50, 3, {{100, 10}}, " reached@3"},
        QuietCase{"NeverQuiet", 10, 50, 3, {{5, 10}, {50, 10}}, ""},
        QuietCase{"LoadReturnsAfterReached",
                  10,
                  50,
                  3,
                  {{5, 10}, {5, 10}, {5, 10}, {5, 10}, {80, 10}, {5, 10}},
                  " reached@3 returned@5 reached@8"}),
    [](const ::testing::TestParamInfo<QuietCase>& param) { return std::string(param.param.name); });

TEST(QuietWatch, RefusesBothLimitsOffAndUnreadableCounters)
{
    test::FakeClock clock;
    test::VirtualTimerService timers(clock);
    test::ScriptedLoadSampler load;
    QuietWatch watch(load, timers, clock, {});
    EXPECT_FALSE(watch.start(0, 0, 1000));
    load.readable = false;
    EXPECT_FALSE(watch.start(10, 50, 1000));
    EXPECT_EQ(timers.activeCount(), 0);
}

// ---- /proc ----------------------------------------------------------------------------------------

struct StatCase
{
    const char* name;
    const char* before;
    const char* after;
    double percent; // < 0: the text is refused
};

class ProcStat : public ::testing::TestWithParam<StatCase>
{};

TEST_P(ProcStat, GivesTheBusyShareOfAllCores)
{
    const StatCase& c = GetParam();
    const std::optional<CpuTimes> before = parseProcStat(c.before);
    const std::optional<CpuTimes> after = parseProcStat(c.after);
    if (c.percent < 0) {
        EXPECT_FALSE(before && after);
        return;
    }
    ASSERT_TRUE(before && after);
    EXPECT_NEAR(busyPercent(*before, *after), c.percent, 0.01);
}

const char* const kStatBefore = "cpu  1000 10 500 8000 200 30 20 0 0 0\n"
                                "cpu0 500 5 250 4000 100 15 10 0 0 0\n"
                                "cpu1 500 5 250 4000 100 15 10 0 0 0\n"
                                "intr 123456 0 9 0\nctxt 987654\nbtime 1700000000\nprocesses 4242\n";

INSTANTIATE_TEST_SUITE_P(
    Texts, ProcStat,
    ::testing::Values(
        // One core of two fully busy in user time for 100 ticks each: 50 %.
        StatCase{"OneOfTwoCoresBusy", kStatBefore, "cpu  1100 10 500 8100 200 30 20 0 0 0\ncpu0 600 5 250 4000\n", 50},
        // I/O wait is waiting, not work; steal and interrupts are work.
        StatCase{"IoWaitIsNotBusy", kStatBefore, "cpu  1000 10 500 8000 400 30 20 0 0 0\n", 0},
        StatCase{"StealAndInterruptsAreBusy", kStatBefore, "cpu  1000 10 500 8100 200 80 20 50 0 0\n", 50},
        // Guest time is counted in user time already.
        StatCase{"GuestNotCountedTwice", kStatBefore, "cpu  1100 10 500 8100 200 30 20 0 100 0\n", 50},
        StatCase{"OldKernelWithFourFields", "cpu 100 0 100 800 0\n", "cpu 150 0 150 900 0\n", 50},
        StatCase{"NoSummaryLine", "cpu0 1 2 3 4 5\n", "cpu0 1 2 3 4 5\n", -1}, StatCase{"Empty", "", "", -1}),
    [](const ::testing::TestParamInfo<StatCase>& param) { return std::string(param.param.name); });

struct NetCase
{
    const char* name;
    const char* before;
    const char* after;
    qint64 moved; // < 0: the text is refused
};

class ProcNetDev : public ::testing::TestWithParam<NetCase>
{};

TEST_P(ProcNetDev, CountsReceivedAndSentButNotLoopback)
{
    const NetCase& c = GetParam();
    const std::optional<NetCounters> before = parseProcNetDev(c.before);
    const std::optional<NetCounters> after = parseProcNetDev(c.after);
    if (c.moved < 0) {
        EXPECT_FALSE(before && after);
        return;
    }
    ASSERT_TRUE(before && after);
    EXPECT_EQ(bytesMoved(*before, *after), quint64(c.moved));
}

#define NET_HEAD                                                                                                       \
    "Inter-|   Receive                                                |  Transmit\n"                                   \
    " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs drop fifo colls "         \
    "carrier compressed\n"

INSTANTIATE_TEST_SUITE_P(
    Texts, ProcNetDev,
    ::testing::Values(NetCase{"ReceivedPlusSentOverInterfaces",
                              NET_HEAD "    lo: 5000 50 0 0 0 0 0 0 5000 50 0 0 0 0 0 0\n"
                                       "  eth0: 1000 10 0 0 0 0 0 0 2000 20 0 0 0 0 0 0\n"
                                       " wlan0: 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n",
                              NET_HEAD "    lo: 9999999 99 0 0 0 0 0 0 9999999 99 0 0 0 0 0 0\n"
                                       "  eth0: 4000 40 0 0 0 0 0 0 2500 25 0 0 0 0 0 0\n"
                                       " wlan0: 100 1 0 0 0 0 0 0 50 1 0 0 0 0 0 0\n",
                              3000 + 500 + 150},
                      // Long interface names leave no blank after the colon.
                      NetCase{"NameRunsIntoTheNumbers", NET_HEAD "enx0123456789ab:1000 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n",
                              NET_HEAD "enx0123456789ab:1700 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", 700},
                      // An interface that comes up counts from the next reading; one that came up again from 0.
                      NetCase{"InterfacesComingAndGoing", NET_HEAD "  eth0: 90000 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n",
                              NET_HEAD "  eth0: 300 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
                                       "  tun0: 80000 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n",
                              300},
                      NetCase{"TooFewColumns", NET_HEAD "  eth0: 1 2 3\n", NET_HEAD, -1}),
    [](const ::testing::TestParamInfo<NetCase>& param) { return std::string(param.param.name); });

} // namespace
