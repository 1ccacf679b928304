#include "core/TimedRun.h"

#include "core/TEinst.h"
#include "mock/VirtualTimerService.h"
#include "resources/Language.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** Something that happens to a run `atS` seconds of the timers' time after its start. */
struct Event
{
    enum Kind {
        Jump,     // the wall clock jumps by `value` seconds, as after a suspend; timers do not see it
        Postpone, // "5 Minuten später"
        Action,   // the action becomes `value`
        Lead,     // the lead time becomes `value` seconds
        Shown,    // the announcement that is up comes on the screen; in a scenario with this event,
                  // announcements come on the screen only then
    };
    qint64 atS;
    Kind kind;
    qint64 value = 0;
};

struct Scenario
{
    const char* name;
    quint8 action;
    qint32 leadS;
    qint64 lengthS;
    std::vector<Event> events;
    /** What the run did, by the wall clock in seconds after the start. */
    const char* expected;
};

class TimedRunScenario : public ::testing::TestWithParam<Scenario>
{
protected:
    FakeClock clock;
    VirtualTimerService timers{clock};
    TEinst options;
    QStringList log;
    qint64 startMs = 0;
    bool late = false;
    std::unique_ptr<TimedRun> run;

    void record(const QString& what) { log << QString::number(double(clock.msecs - startMs) / 1000.0) + u' ' + what; }
};

TEST_P(TimedRunScenario, AnnouncesAndEndsWhenItShould)
{
    const Scenario& s = GetParam();
    clock.setLocal(QDate(2026, 12, 7), QTime(10, 0, 0));
    options.SetAktion(s.action);
    options.SetVorwarnzeit(s.leadS);
    TimedRun::Handlers handlers;
    handlers.announce = [this](const RunAnnouncement& a, qint64 nowMs) {
        record(QStringLiteral("announce ") + a.summary(RunAnnouncement::secondsLeft(run->endMs() - nowMs)));
        if (!late)
            run->announcementShown(nowMs);
    };
    handlers.withdraw = [this] {
        record(QStringLiteral("withdraw"));
    };
    handlers.endMoved = [this] {
        record(QStringLiteral("end ") + QString::number((run->endMs() - startMs) / 1000));
    };
    handlers.expire = [this] {
        run->stop(); // as the main window does before it carries the action out
        record(QStringLiteral("expire"));
    };
    run = std::make_unique<TimedRun>(clock, timers, options, handlers);
    // The main window's clock tick, once a second.
    const std::unique_ptr<Timer> tick = timers.create([this] { run->clockTick(); });
    tick->start(1000);

    late = std::any_of(s.events.begin(), s.events.end(), [](const Event& e) { return e.kind == Event::Shown; });
    startMs = clock.msecs;
    run->start(startMs, startMs + s.lengthS * 1000);
    for (const Event& e : s.events) {
        timers.advance(e.atS * 1000 - timers.now());
        switch (e.kind) {
        case Event::Jump:
            clock.msecs += e.value * 1000;
            break;
        case Event::Postpone:
            run->postpone(300'000);
            break;
        case Event::Action:
            options.SetAktion(quint8(e.value));
            break;
        case Event::Lead:
            options.SetVorwarnzeit(qint32(e.value));
            break;
        case Event::Shown:
            run->announcementShown(clock.msecs);
            break;
        }
    }
    timers.advance(2 * 3600 * 1000);
    EXPECT_FALSE(run->running());
    EXPECT_EQ(log.join(QStringLiteral(", ")).toStdString(), s.expected);
}

const Scenario kScenarios[] = {
    {"LongerThanTheLeadTime",
     AktionShutdown,
     60,
     300,
     {},
     "240 announce Herunterfahren in 60 Sekunden, 300 withdraw, 300 expire"},
    {"ShorterThanTheLeadTime", AktionRestart, 60, 30, {}, "0 announce Neustart in 30 Sekunden, 30 withdraw, 30 expire"},
    {"LeadTimeZero", AktionLogoff, 0, 300, {}, "300 expire"},
    {"MessageIsNotAnnounced", AktionNachricht, 60, 300, {}, "300 expire"},
    {"UnknownActionIsNotAnnounced", 9, 60, 300, {}, "300 expire"},
    // The clock jumps ten minutes past the end: announced then, carried out a lead time later.
    {"PowerRunAfterAJumpPastTheEnd",
     AktionStandby,
     60,
     300,
     {{100, Event::Jump, 600}},
     "701 end 761, 701 announce Standby in 60 Sekunden, 761 withdraw, 761 expire"},
    {"MessageRunAfterAJumpPastTheEnd", AktionNachricht, 60, 300, {{100, Event::Jump, 600}}, "701 expire"},
    {"PowerRunWithoutLeadTimeAfterAJump", AktionShutdown, 0, 300, {{100, Event::Jump, 600}}, "701 expire"},
    {"JumpIntoTheLeadTime",
     AktionShutdown,
     60,
     300,
     {{200, Event::Jump, 70}},
     "271 end 331, 271 announce Herunterfahren in 60 Sekunden, 331 withdraw, 331 expire"},
    {"JumpPastTheEndWhileAnnounced",
     AktionShutdown,
     60,
     300,
     {{250, Event::Jump, 150}},
     "240 announce Herunterfahren in 60 Sekunden, 401 end 461, 401 announce Herunterfahren in 60 Sekunden, "
     "461 withdraw, 461 expire"},
    {"ClockSetBack",
     AktionShutdown,
     60,
     300,
     {{250, Event::Jump, -3600}},
     "240 announce Herunterfahren in 60 Sekunden, -3349 withdraw, 240 announce Herunterfahren in 60 Sekunden, "
     "300 withdraw, 300 expire"},
    {"PostponedWhileAnnounced",
     AktionShutdown,
     60,
     300,
     {{250, Event::Postpone}},
     "240 announce Herunterfahren in 60 Sekunden, 250 withdraw, 250 end 600, "
     "540 announce Herunterfahren in 60 Sekunden, 600 withdraw, 600 expire"},
    {"PostponedTwice",
     AktionShutdown,
     60,
     300,
     {{100, Event::Postpone}, {100, Event::Postpone}},
     "100 end 600, 100 end 900, 840 announce Herunterfahren in 60 Sekunden, 900 withdraw, 900 expire"},
    {"PostponedToLessThanTheLeadTime",
     AktionShutdown,
     600,
     120,
     {{10, Event::Postpone}},
     "0 announce Herunterfahren in 120 Sekunden, 10 end 420, 420 withdraw, 420 expire"},
    // On the screen 2 s late (a server that never answers, the window standing in): the action keeps
    // the time the announcement was to be up. One that is not on the screen by the end holds it.
    {"ShortRunShownLate",
     AktionShutdown,
     60,
     30,
     {{2, Event::Shown}},
     "0 announce Herunterfahren in 30 Sekunden, 2 end 32, 32 withdraw, 32 expire"},
    {"ShownAfterTheEnd",
     AktionRestart,
     1,
     10,
     {{12, Event::Shown}},
     "9 announce Neustart in 1 Sekunde, 12 end 13, 13 withdraw, 13 expire"},

    // Changed while the program looked on: announced at once, the end stays.
    {"ActionChangedInsideTheLeadTime",
     AktionNachricht,
     60,
     300,
     {{270, Event::Action, AktionRestart}},
     "271 announce Neustart in 29 Sekunden, 300 withdraw, 300 expire"},
    {"LeadTimeTurnedOffWhileAnnounced",
     AktionShutdown,
     60,
     300,
     {{250, Event::Lead, 0}},
     "240 announce Herunterfahren in 60 Sekunden, 251 withdraw, 300 expire"},
};

INSTANTIATE_TEST_SUITE_P(Runs, TimedRunScenario, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& param) { return std::string(param.param.name); });

struct SummaryCase
{
    Language language;
    qint64 seconds;
    const char* text;
};

class RunAnnouncementSummary : public ::testing::TestWithParam<SummaryCase>
{
protected:
    void TearDown() override { useLanguage(Language::German); }
};

TEST_P(RunAnnouncementSummary, CountsTheSecondsInTheSingularOnlyForOne)
{
    useLanguage(GetParam().language);
    const RunAnnouncement logoff{AktionLogoff, true};
    EXPECT_EQ(logoff.summary(GetParam().seconds), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Languages, RunAnnouncementSummary,
                         ::testing::Values(SummaryCase{Language::German, 0, "Abmelden in 0 Sekunden"},
                                           SummaryCase{Language::German, 1, "Abmelden in 1 Sekunde"},
                                           SummaryCase{Language::German, 2, "Abmelden in 2 Sekunden"},
                                           SummaryCase{Language::German, 61, "Abmelden in 61 Sekunden"},
                                           SummaryCase{Language::English, 0, "Logging out in 0 seconds"},
                                           SummaryCase{Language::English, 1, "Logging out in 1 second"},
                                           SummaryCase{Language::English, 2, "Logging out in 2 seconds"},
                                           SummaryCase{Language::English, 61, "Logging out in 61 seconds"}));

TEST(RunAnnouncement, BodyAndSecondsLeft)
{
    const RunAnnouncement logoff{AktionLogoff, true};
    EXPECT_EQ(logoff.body(QStringLiteral("23:00:00")), QStringLiteral("um 23:00:00 (erzwungen)"));
    // Cut off as the main window's time left: both name the same second.
    EXPECT_EQ(RunAnnouncement::secondsLeft(59'999), 59);
    EXPECT_EQ(RunAnnouncement::secondsLeft(-1), 0);
}

} // namespace
