#include "MainWindowFixture.h"
#include "core/ExpirySoundPlayer.h"
#include "core/RunSchedule.h"
#include "mock/RecordingRunTrace.h"
#include "mock/TempDir.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTest>

#include <cstdlib>
#include <ctime>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class Run : public MainWindowFixture
{};

TEST_F(Run, ZeroCountdownAsksForATimeAndStaysIdle)
{
    createAndShow();
    setCountdown(0, 0, 0);
    ui().Btn_Start->click();
    EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Information"),
                        QStringLiteral("Beim Countdown müssen Sie eine Zeit größer Null eingeben,\n\r"
                                       "damit der Countdown durchgeführt werden kann!")));
    EXPECT_FALSE(running());
    EXPECT_TRUE(ui().Btn_Start->isEnabled());
    advance(5'000);
    EXPECT_EQ(ui().Label7->text(), QString()); // no run tick
    EXPECT_EQ(timers.activeCount(), 1);        // only the clock
}

TEST_F(Run, CountdownShowsStartEndAndRemainingAndActsAtItsEndTime)
{
    clock.setLocal(QDate(2026, 12, 7), QTime(9, 59, 59));
    createAndShow();
    advance(1'000); // the first clock tick: 10:00:00
    advance(400);
    setCountdown(0, 5, 0);
    ui().Btn_Start->click();
    EXPECT_TRUE(running());
    EXPECT_FALSE(ui().Btn_Start->isEnabled());
    EXPECT_FALSE(ui().Start1->isEnabled());
    EXPECT_TRUE(ui().Stop1->isEnabled());
    EXPECT_FALSE(ui().MenuOptionen->menuAction()->isEnabled());
    EXPECT_FALSE(ui().MenuHilfe->menuAction()->isEnabled());
    EXPECT_FALSE(ui().Eingabe->Ed_Stunden->isEnabled());
    EXPECT_EQ(ui().Label9->text(), QStringLiteral("10:00:00"));
    EXPECT_EQ(ui().Label11->text(), QStringLiteral("10:05:00"));

    const qint64 endMs = clock.msecs + 300'000; // the run ends 5 minutes after its start
    // The first run tick after Start takes the remaining time from the last clock sample, before the start.
    advance(100);
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:05:00"));

    power.calls.clear();
    main->CurrentOptions().SetAktion(AktionRestart);
    advance(endMs - clock.msecs - 1);
    EXPECT_TRUE(running());
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:00:00")); // 0.6 s are left at the last clock tick
    advance(1);                                                 // the end, between two clock ticks
    EXPECT_FALSE(running());
    EXPECT_EQ(power.calls, (QList<std::pair<int, bool>>{{AktionRestart, false}}));
    EXPECT_EQ(ui().Label7->text(), QString());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90"));
    EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro"));
    EXPECT_TRUE(main->isVisible()); // shut down and restart leave the program running
}

TEST_F(Run, TraceRecordsStartEndAndExpiry)
{
    RecordingRunTrace trace;
    runTrace = &trace;
    createAndShow();
    setCountdown(0, 0, 2);
    main->CurrentOptions().SetAktion(AktionShutdown);
    const qint64 start = clock.msecs;
    ui().Btn_Start->click();
    advance(3'000);
    using Event = std::pair<std::string, qint64>;
    // Shorter than the lead time: announced at the start.
    EXPECT_EQ(trace.events,
              (std::vector<Event>{
                  {"start", start}, {"end", start + 2'000}, {"announcement", start}, {"expiry", start + 2'000}}));
}

TEST_F(Run, CaptionAndTipCutTheFractionOfASecond)
{
    createAndShow();
    setCountdown(0, 5, 0);
    advance(600);
    ui().Btn_Start->click();
    advance(400); // the first clock tick: 4 minutes 59.6 seconds are left
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [00:04:59]"));
    EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro  [00:04:59]"));
}

struct ClockTimeCase
{
    QTime now;
    QTime target;
    const char* endLabel;
    qint64 expectedDurationMs;
};

class ClockTime : public MainWindowFixture, public ::testing::WithParamInterface<ClockTimeCase>
{};

TEST_P(ClockTime, EndsTodayOrTomorrow)
{
    const ClockTimeCase& c = GetParam();
    clock.setLocal(QDate(2026, 12, 7), c.now);
    createAndShow();
    setClockTime(c.target.hour(), c.target.minute(), c.target.second());
    const qint64 start = clock.msecs;
    ui().Btn_Start->click();
    EXPECT_TRUE(running());
    EXPECT_EQ(ui().Label11->text().toStdString(), c.endLabel);
    EXPECT_EQ(RunSchedule::clockTimeEnd(start, c.target.hour(), c.target.minute(), c.target.second()).value() - start,
              c.expectedDurationMs);
}

INSTANTIATE_TEST_SUITE_P(Times, ClockTime,
                         ::testing::Values(
                             // later today
                             ClockTimeCase{QTime(10, 0, 0), QTime(12, 30, 0), "12:30:00", 9'000'000},
                             // equal to the millisecond: today, that is at once
                             ClockTimeCase{QTime(10, 0, 0), QTime(10, 0, 0), "10:00:00", 0},
                             // earlier by less than a second: tomorrow
                             ClockTimeCase{QTime(10, 0, 0, 1), QTime(10, 0, 0), "10:00:00", 86'400'000 - 1},
                             // midnight counts as the coming midnight
                             ClockTimeCase{QTime(23, 59, 30), QTime(0, 0, 0), "00:00:00", 30'000}));

TEST_F(Run, CountdownAcrossMidnightEndsAfterItsDuration)
{
    clock.setLocal(QDate(2026, 12, 31), QTime(23, 59, 0));
    createAndShow();
    setCountdown(0, 2, 0);
    ui().Btn_Start->click();
    EXPECT_EQ(ui().Label11->text(), QStringLiteral("00:01:00"));
    advance(119'000);
    EXPECT_TRUE(running());
    advance(2'000);
    EXPECT_FALSE(running());
}

TEST_F(Run, StopwatchCountsFreezesOnStopAndRestartsFromZero)
{
    createAndShow();
    main->CurrentOptions().SetZeitMode(ZeitStopuhr);
    ui().Btn_Start->click();
    EXPECT_TRUE(running());
    EXPECT_EQ(ui().Label9->text(), QString());
    advance(150);
    EXPECT_EQ(ui().Eingabe->L_Stopuhr->text(), QStringLiteral("00:00:00:100")); // every 100 ms
    advance(61'150);
    EXPECT_EQ(ui().Eingabe->L_Stopuhr->text(), QStringLiteral("00:01:01:300"));
    EXPECT_EQ(ui().Label7->text(), QString()); // no run tick
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [00:01:01:300]"));
    EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro  [00:01:01:300]"));

    ui().Btn_Reset->click();
    advance(5'000);
    EXPECT_EQ(ui().Eingabe->L_Stopuhr->text(), QStringLiteral("00:01:01:300"));
    ui().Btn_Start->click();
    EXPECT_EQ(ui().Eingabe->L_Stopuhr->text(), QStringLiteral("00:00:00:000"));
}

TEST_F(Run, StopwatchAcrossMidnightShowsTheElapsedTime)
{
    clock.setLocal(QDate(2026, 12, 7), QTime(23, 59, 59));
    createAndShow();
    main->CurrentOptions().SetZeitMode(ZeitStopuhr);
    ui().Btn_Start->click();
    advance(2'000);
    EXPECT_EQ(ui().Eingabe->L_Stopuhr->text(), QStringLiteral("00:00:02:000"));
}

TEST_F(Run, UnknownActionStaysExpiredUntilStop)
{
    createAndShow();
    setCountdown(0, 0, 1);
    main->CurrentOptions().SetAktion(9);
    ui().Btn_Start->click();
    advance(5'000);
    EXPECT_TRUE(running());
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:00:00"));
    main->setWindowTitle(QString());
    advance(1'000); // the run tick comes on and finds the run expired again
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [00:00:00]"));
    EXPECT_TRUE(power.calls.isEmpty());
    EXPECT_TRUE(modal.shown.isEmpty());
    ui().Btn_Reset->click();
    EXPECT_FALSE(running());
}

TEST_F(Run, RunTickFollowsEachClockTickAndOnlyDuringATimedRun)
{
    createAndShow();
    setCountdown(0, 1, 0);
    ui().Btn_Start->click();
    int wakeUps = timers.timeouts();
    advance(999);
    EXPECT_EQ(timers.timeouts() - wakeUps, 1); // the first run tick; none between two clock samples
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:01:00"));
    advance(1);
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:00:59")); // at the clock tick itself
    wakeUps = timers.timeouts();
    advance(10'000);
    EXPECT_EQ(timers.timeouts() - wakeUps, 20); // each clock tick and the run tick after it

    ui().Btn_Reset->click();
    wakeUps = timers.timeouts();
    advance(10'000);
    EXPECT_EQ(timers.timeouts() - wakeUps, 10); // the clock only
    EXPECT_EQ(ui().Label7->text(), QString());

    main->CurrentOptions().SetZeitMode(ZeitStopuhr);
    ui().Btn_Start->click();
    wakeUps = timers.timeouts();
    advance(1'000);
    EXPECT_EQ(timers.timeouts() - wakeUps, 11); // the clock and the stopwatch tick
    EXPECT_EQ(ui().Label7->text(), QString());
}

TEST_F(Run, UnknownTimeModeRunsWithoutTimerUntilStop)
{
    createAndShow();
    main->CurrentOptions().SetZeitMode(7);
    ui().Btn_Start->click();
    EXPECT_TRUE(running());
    advance(5'000);
    EXPECT_TRUE(running());
    EXPECT_EQ(timers.activeCount(), 1); // only the clock: no run tick, no stopwatch tick
    EXPECT_EQ(ui().Label7->text(), QString());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90"));
}

struct ExpiryCase
{
    quint8 action;
    bool force;
    bool closePgm;
    QList<std::pair<int, bool>> powerCalls;
    bool messageShown;
    bool programEnds;
    std::size_t notifications = 1; // the power action's announcement, or the message's notification
};

class Expiry : public MainWindowFixture, public ::testing::WithParamInterface<ExpiryCase>
{};

TEST_P(Expiry, DispatchesOnTheActionReadAtExpiry)
{
    const ExpiryCase& c = GetParam();
    createAndShow();
    QSignalSpy closed(main.get(), &TMain::closed);
    setCountdown(0, 0, 2);
    main->CurrentOptions().SetAktion(AktionNachricht);
    ui().Btn_Start->click();
    // Changed during the run: the expiry uses what the options say at that moment.
    main->CurrentOptions().SetAktion(c.action);
    main->CurrentOptions().SetForce(c.force);
    main->CurrentOptions().SetClosePgm(c.closePgm);
    main->ShowOptions();
    advance(4'000);

    EXPECT_FALSE(running());
    EXPECT_EQ(power.calls, c.powerCalls);
    EXPECT_EQ(modal.shown.contains(QStringLiteral("Nachricht")), c.messageShown);
    EXPECT_EQ(sound.played.size(), c.messageShown ? 1 : 0);
    // A power action is announced before it comes, the message tells the desktop at its expiry; the
    // announcement goes with the run, the message's notification with its window.
    EXPECT_EQ(notifications.shown.size(), c.notifications);
    EXPECT_TRUE(notifications.up().empty());
    EXPECT_EQ(closed.count(), c.programEnds ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Actions, Expiry,
                         ::testing::Values(ExpiryCase{AktionShutdown, true, true, {{1, true}}, false, false},
                                           ExpiryCase{AktionRestart, false, true, {{2, false}}, false, false},
                                           ExpiryCase{AktionLogoff, true, false, {{3, true}}, false, false},
                                           ExpiryCase{AktionLogoff, false, true, {{3, false}}, false, true},
                                           ExpiryCase{AktionStandby, true, false, {{4, false}}, false, false},
                                           ExpiryCase{AktionStandby, false, true, {{4, false}}, false, true},
                                           ExpiryCase{AktionHibernate, true, false, {{5, false}}, false, false},
                                           ExpiryCase{AktionHibernate, false, true, {{5, false}}, false, true},
                                           // Locking ends nothing: it comes unannounced, and the program
                                           // goes on unless it is to end.
                                           ExpiryCase{AktionSperren, true, false, {{6, false}}, false, false, 0},
                                           ExpiryCase{AktionSperren, false, true, {{6, false}}, false, true, 0},
                                           ExpiryCase{AktionNachricht, false, false, {}, true, false},
                                           ExpiryCase{AktionNachricht, false, true, {}, true, true}));

TEST_F(Run, MessageIsShownOnTopAfterTheSoundEvenWhenTheSoundFails)
{
    createAndShow();
    QSignalSpy closed(main.get(), &TMain::closed);
    setCountdown(0, 0, 1);
    main->CurrentOptions().SetClosePgm(true);
    sound.failWith = QStringLiteral("Datei kann nicht geöffnet werden");
    bool onTop = false;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog& d) {
        onTop = d.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        // The run is already stopped while the message is open: no run tick comes.
        advance(2'000);
        EXPECT_EQ(ui().Label7->text(), QString());
        EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90"));
    };
    ui().Btn_Start->click();
    advance(3'000);
    EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Kelvaro"), QStringLiteral("Datei kann nicht geöffnet werden.")));
    EXPECT_EQ(modal.shown, QStringList{QStringLiteral("Nachricht")});
    EXPECT_TRUE(onTop);
    EXPECT_EQ(closed.count(), 1);
}

/** Runs in the Berlin time zone, where on 2026-10-25 the clocks go back from 03:00 to 02:00. */
class RunAcrossClockChanges : public MainWindowFixture
{
protected:
    QByteArray m_oldTz;

    void SetUp() override
    {
        m_oldTz = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        MainWindowFixture::SetUp();
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        if (m_oldTz.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_oldTz);
        tzset();
    }
};

TEST_F(RunAcrossClockChanges, CountdownEndsAfterItsRealDurationWhenTheClocksGoBack)
{
    // 02:55 summer time, 5 minutes before the change (the local time is ambiguous: give it in UTC).
    clock.msecs = QDateTime(QDate(2026, 10, 25), QTime(0, 55, 0), Qt::UTC).toMSecsSinceEpoch();
    createAndShow();
    setCountdown(0, 10, 0);
    ui().Btn_Start->click();
    EXPECT_EQ(ui().Label9->text(), QStringLiteral("02:55:00"));
    EXPECT_EQ(ui().Label11->text(), QStringLiteral("02:05:00")); // local time after the change

    advance(9 * 60'000);
    EXPECT_TRUE(running());
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:01:00"));
    advance(2'000 + 60'000);
    EXPECT_FALSE(running());
}

TEST_F(RunAcrossClockChanges, CountdownEndsAfterItsRealDurationWhenTheClocksGoForward)
{
    clock.setLocal(QDate(2026, 3, 29), QTime(1, 55, 0)); // winter time, at 02:00 the clocks jump to 03:00
    createAndShow();
    setCountdown(0, 10, 0);
    ui().Btn_Start->click();
    EXPECT_EQ(ui().Label11->text(), QStringLiteral("03:05:00"));
    advance(9 * 60'000);
    EXPECT_TRUE(running());
    advance(62'000);
    EXPECT_FALSE(running());
}

} // namespace

namespace {

/** The window with its real expiry sound on an audio output that plays nothing. */
class ExpirySoundChain : public MainWindowFixture
{
protected:
    ExpirySoundPlayer player{mediaPlayer, boxes, audio};
    TempDir dir;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        expirySound = &player;
        createAndShow();
        setCountdown(0, 0, 1);
    }

    void expireWithFile(const QString& file)
    {
        main->CurrentOptions().SetSoundMode(SoundFile);
        main->CurrentOptions().SetSoundFile(file);
        ui().Btn_Start->click();
        advance(3'000);
    }
};

TEST_F(ExpirySoundChain, MissingFileIsReportedAndTheMessageFollows)
{
    expireWithFile(dir.file(QStringLiteral("fehlt.mp3")));
    EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Error"), QStringLiteral("Sound-Datei nicht gefunden.")));
    EXPECT_EQ(modal.shown, QStringList{QStringLiteral("Nachricht")});
}

TEST_F(ExpirySoundChain, FileThatCannotBeOpenedIsReportedAndTheMessageFollows)
{
    const QString broken = dir.file(QStringLiteral("kaputt.wav"));
    QFile(broken).open(QIODevice::WriteOnly);
    audio.unplayable[broken] = QStringLiteral("Unknown WAVE format");
    expireWithFile(broken);
    EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Kelvaro"), QStringLiteral("Unknown WAVE format.")));
    EXPECT_EQ(modal.shown, QStringList{QStringLiteral("Nachricht")});
}

TEST_F(ExpirySoundChain, FilePlaysOnUntilOkInTheMessage)
{
    const QString gong = dir.file(QStringLiteral("gong.wav"));
    QFile(gong).open(QIODevice::WriteOnly);
    bool playingWhileShown = false;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog&) {
        playingWhileShown = audio.playingFile() == gong;
        QTest::mouseClick(nachricht->Btn_OK, Qt::LeftButton);
    };
    expireWithFile(gong);
    EXPECT_TRUE(playingWhileShown);
    EXPECT_EQ(audio.playingFile(), QString());
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(ExpirySoundChain, BeepsSoundBeforeTheMessage)
{
    main->CurrentOptions().SetSoundMode(SoundBeep);
    main->CurrentOptions().SetAnzBeeps(3);
    int beepsWhenShown = -1;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog&) {
        beepsWhenShown = audio.beeps;
    };
    ui().Btn_Start->click();
    advance(3'000);
    EXPECT_EQ(beepsWhenShown, 3);
}

} // namespace
