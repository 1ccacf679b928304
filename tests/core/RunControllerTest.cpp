// The run on virtual time, without a window: each time mode from Start to its action, with the
// user's input, the machine's load and the end of a program scripted second by second.
#include "core/RunController.h"

#include "core/ExpirySound.h"
#include "core/IdleWatcher.h"
#include "core/RunPower.h"
#include "core/RunTrace.h"
#include "core/TEinst.h"
#include "mock/FakeProcessWatcher.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/ScriptedLoadSampler.h"
#include "mock/VirtualTimerService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** Seconds since the start, for the log. */
std::string at(const FakeClock& clock)
{
    return "@" + std::to_string(clock.msecs / 1000);
}

/** The desktop's idle clock, with the user's input given by the test. */
class ScriptedIdleWatcher : public IdleWatcher
{
public:
    ScriptedIdleWatcher(TimerService& timers, const Clock& clock)
        : m_clock(clock), m_timer(timers.create([this] { becomeIdle(); }))
    {}

    void input()
    {
        m_lastInputMs = m_clock.currentMSecsSinceEpoch();
        if (std::exchange(m_idle, false) && m_changed)
            m_changed(false);
        arm();
    }

    std::unique_ptr<IdleWatch> watch(qint64 thresholdMs, std::function<void(bool)> changed) override
    {
        m_threshold = thresholdMs;
        m_changed = std::move(changed);
        arm();
        return std::make_unique<Watch>(*this);
    }
    QString source() const override { return QStringLiteral("scripted"); }

private:
    struct Watch : IdleWatch
    {
        explicit Watch(ScriptedIdleWatcher& watcher) : w(watcher) {}
        ~Watch() override { w.m_changed = {}; }
        qint64 idleMs() const override { return w.m_clock.currentMSecsSinceEpoch() - w.m_lastInputMs; }
        ScriptedIdleWatcher& w;
    };
    void arm()
    {
        m_timer->startOnce(std::max<qint64>(m_lastInputMs + m_threshold - m_clock.currentMSecsSinceEpoch(), 0));
    }
    void becomeIdle()
    {
        m_idle = true;
        if (m_changed)
            m_changed(true);
    }

    const Clock& m_clock;
    std::unique_ptr<Timer> m_timer;
    std::function<void(bool)> m_changed;
    qint64 m_threshold = 0;
    qint64 m_lastInputMs = 0;
    bool m_idle = false;
};

/** Logs what the run asks of the power side and the sound; an announcement comes on the screen at
 *  once, and goes again when the action is carried out. */
class LoggingPower : public RunPower, public ExpirySound
{
public:
    LoggingPower(const FakeClock& clock, TimerService& timers)
        : m_clock(clock), m_onScreen(timers.create([this] { run->announcementShown(m_clock.msecs); }))
    {}

    std::string log;
    bool refuse = false;
    RunController* run = nullptr;

    bool mayStart(quint8) override { return !refuse; }
    void announce(const RunAnnouncement&, qint64 endMs, qint64) override
    {
        log += " announce" + at(m_clock) + "-" + std::to_string(endMs / 1000);
        m_onScreen->startOnce(0);
    }
    void setEnd(qint64) override {}
    void setSecondsLeft(qint64) override {}
    void withdraw() override { log += " withdraw" + at(m_clock); }
    void carryOut(quint8 action, bool, std::function<void()>) override
    {
        log += " action" + std::to_string(action) + at(m_clock);
    }
    void runEnded() override {}
    void PlayExpirySound(const TEinst&) override { log += " sound" + at(m_clock); }
    void StopSound() override {}

private:
    const FakeClock& m_clock;
    std::unique_ptr<Timer> m_onScreen;
};

struct RunCase
{
    const char* name;
    quint8 mode, action;
    qint32 seconds, lead;
    const char* log;                                  // what happened, at seconds after the start
    std::vector<std::pair<int, int>> load = {{1, 1}}; // processor %, kB/s per second; the last holds on
    std::vector<int> inputs = {};                     // seconds with keyboard or mouse input
    int programEndS = -1;
    qint32 cpu = 10, net = 50;
    bool idleClock = true;
    bool refuse = false; // the system refuses the action at Start
};

class RunTable : public ::testing::TestWithParam<RunCase>
{};

TEST_P(RunTable, ActsWhenItsTimeModeSaysSo)
{
    const RunCase& c = GetParam();
    FakeClock clock;
    VirtualTimerService timers(clock);
    RecordingMessageBoxes boxes;
    LoggingPower power(clock, timers);
    power.refuse = c.refuse;
    FakeProcessWatcher processes;
    processes.programs = {{4711, QStringLiteral("render")}};
    ScriptedIdleWatcher idle(timers, clock);
    ScriptedLoadSampler load;
    load.seconds = c.load;
    TEinst options;
    options.SetZeitMode(c.mode);
    options.SetAktion(c.action);
    options.SetMinuten(c.seconds / 60);
    options.SetSekunden(c.seconds % 60);
    options.SetVorwarnzeit(c.lead);
    options.SetLeerlaufCpu(c.cpu);
    options.SetLeerlaufNetz(c.net);
    options.SetProgramm(QStringLiteral("render"));
    std::string& log = power.log;
    RunController run({clock,
                       timers,
                       options,
                       boxes,
                       power,
                       power,
                       RunTrace::none(),
                       {processes, c.idleClock ? &idle : nullptr, &load, timers, clock},
                       [](const std::function<void()>& step) {
                           step();
                       }},
                      {[&](bool running) { log += running ? " start" : " stop"; }, [](const RunDisplay&) {}, [] {},
                       [&] { log += " message" + at(clock); }, [] {},
                       [] {
                       }});
    power.run = &run;

    if (!run.start())
        log += " refused:" + std::to_string(boxes.boxes.size());
    for (int s = 1; s <= 240; ++s) {
        timers.advance(1000);
        run.clockTick(clock.msecs);
        if (std::find(c.inputs.begin(), c.inputs.end(), s) != c.inputs.end())
            idle.input();
        if (s == c.programEndS)
            processes.end(4711);
    }
    EXPECT_EQ(log, c.log);
}

using Load = std::vector<std::pair<int, int>>;
const Load quiet{{1, 1}};

/** A quiet machine that is busy for the one second `s`. */
Load busyAt(int s)
{
    Load load(std::size_t(s - 1), {5, 0});
    load.push_back({90, 0});
    load.push_back({5, 0});
    return load;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunTable,
    ::testing::Values(
        RunCase{"CountdownMessage", ZeitCountdown, AktionNachricht, 5, 60, " start stop sound@5 message@5"},
        RunCase{"CountdownAnnouncedShutdown", ZeitCountdown, AktionShutdown, 90, 30,
                " start announce@60-90 withdraw@90 stop action1@90"},
        RunCase{"ZeroTimeIsRefused", ZeitInaktivitaet, AktionShutdown, 0, 30, " refused:1"},
        RunCase{"RefusedActionStartsNothingAndAddsNoBox",
                ZeitLeerlauf,
                AktionStandby,
                60,
                30,
                " refused:0",
                quiet,
                {},
                -1,
                10,
                50,
                true,
                true},
        RunCase{"ProgramEndAnnouncesThenActs",
                ZeitProgrammende,
                AktionStandby,
                0,
                20,
                " start announce@30-50 withdraw@50 stop action4@50",
                quiet,
                {},
                30},
        RunCase{"InactivityEndsWithTheAnnouncement",
                ZeitInaktivitaet,
                AktionShutdown,
                60,
                20,
                " start announce@50-70 withdraw@70 stop action1@70",
                quiet,
                {10}},
        RunCase{"InputDuringTheAnnouncementWaitsAgain",
                ZeitInaktivitaet,
                AktionShutdown,
                60,
                20,
                " start announce@40-60 withdraw@45 announce@85-105 withdraw@105 stop action1@105",
                quiet,
                {45}},
        RunCase{"InactivityWithoutIdleClockIsRefused",
                ZeitInaktivitaet,
                AktionShutdown,
                60,
                20,
                " refused:1",
                quiet,
                {},
                -1,
                10,
                50,
                false},
        RunCase{"QuietMessage",
                ZeitLeerlauf,
                AktionNachricht,
                10,
                60,
                " start stop sound@12 message@12",
                {{90, 0}, {90, 0}, {5, 0}}},
        RunCase{"OneBusySampleStartsTheQuietTimeAgain", ZeitLeerlauf, AktionNachricht, 10, 60,
                " start stop sound@15 message@15", busyAt(5)},
        RunCase{"NetworkLimitOffWatchesOnlyTheProcessor",
                ZeitLeerlauf,
                AktionNachricht,
                10,
                60,
                " start stop sound@10 message@10",
                {{5, 9000}},
                {},
                -1,
                10,
                0},
        RunCase{"ProcessorLimitOffWatchesOnlyTheNetwork",
                ZeitLeerlauf,
                AktionNachricht,
                10,
                60,
                " start stop sound@12 message@12",
                {{100, 400}, {100, 400}, {100, 10}},
                {},
                -1,
                0,
                50},
        RunCase{"LoadDuringTheAnnouncementWaitsAgain", ZeitLeerlauf, AktionStandby, 30, 10,
                " start announce@20-30 withdraw@23 announce@43-53 withdraw@53 stop action4@53", busyAt(23)},
        RunCase{"BothLimitsOffIsRefused", ZeitLeerlauf, AktionNachricht, 10, 60, " refused:1", quiet, {}, -1, 0, 0}),
    [](const ::testing::TestParamInfo<RunCase>& p) { return std::string(p.param.name); });

/** Ten seconds of a stopwatch with the clock ticking each second; nobody sees the window from the
 *  second `hiddenAtS` on (0: from Start, as when it goes into the notification area; -1: never). */
struct SeenCase
{
    const char* name;
    int hiddenAtS;
    int ticks;             // the stopwatch's own ticks in the ten seconds: the program's wake-ups
    const char* seenAgain; // what it shows as soon as the window is seen again, at 10.45 s
};

class StopwatchSeen : public ::testing::TestWithParam<SeenCase>
{};

TEST_P(StopwatchSeen, TicksOnlyWhileSeenAndShowsTheClocksTime)
{
    const SeenCase& c = GetParam();
    FakeClock clock;
    clock.msecs = 1'800'000'000'250; // a quarter of a second past the clock's tick
    VirtualTimerService timers(clock);
    RecordingMessageBoxes boxes;
    LoggingPower power(clock, timers);
    FakeProcessWatcher processes;
    TEinst options;
    options.SetZeitMode(ZeitStopuhr);
    QString shown;
    const auto direct = [](const std::function<void()>& step) {
        step();
    };
    const auto nothing = [] {
    };
    RunController run({clock,
                       timers,
                       options,
                       boxes,
                       power,
                       power,
                       RunTrace::none(),
                       {processes, nullptr, nullptr, timers, clock},
                       direct},
                      {[](bool) {}, [&](const RunDisplay& d) { shown = d.shown; }, nothing, nothing, nothing, nothing});

    run.setShown(c.hiddenAtS != 0);
    ASSERT_TRUE(run.start());
    const int before = timers.timeouts();
    for (int s = 1; s <= 10; ++s) {
        timers.advance(1000);
        run.clockTick(clock.msecs);
        if (s == c.hiddenAtS)
            run.setShown(false);
    }
    EXPECT_EQ(timers.timeouts() - before, c.ticks);
    EXPECT_EQ(shown, QStringLiteral("00:00:10:000")); // also unseen: the tip shows it
    timers.advance(450);
    run.setShown(true);
    timers.advance(0);
    EXPECT_EQ(shown, QString::fromLatin1(c.seenAgain));
}

INSTANTIATE_TEST_SUITE_P(Table, StopwatchSeen,
                         ::testing::Values(SeenCase{"AlwaysSeen", -1, 100, "00:00:10:400"},
                                           SeenCase{"HiddenAfterThreeSeconds", 3, 30, "00:00:10:450"},
                                           SeenCase{"HiddenFromStart", 0, 0, "00:00:10:450"}),
                         [](const ::testing::TestParamInfo<SeenCase>& p) { return std::string(p.param.name); });

} // namespace
