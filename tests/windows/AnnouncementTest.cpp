#include "MainWindowFixture.h"
#include "core/CountdownRing.h"
#include "widgets/ActionPanel.h"
#include "windows/Announcer.h"
#include "windows/TVorwarnung.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTime>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** A two-minute power run with the default lead time of 60 s, on a desktop with a notification server
 *  unless a test takes it away. */
class Announcement : public MainWindowFixture
{
protected:
    void startPowerRun(quint8 action = AktionShutdown, bool force = false)
    {
        createAndShow();
        setCountdown(0, 2, 0);
        main->CurrentOptions().SetAktion(action);
        main->CurrentOptions().SetForce(force);
        ui().Btn_Start->click();
    }

    /** The notification that is up; fails the test when there is not exactly one. */
    Notifications::Id upNotification()
    {
        const auto up = notifications.up();
        EXPECT_EQ(up.size(), 1u);
        return up.empty() ? 0 : up.front().id;
    }
    TVorwarnung* window() const { return main->announcementWindow(); }
    bool windowUp() const { return window() && window()->isVisible(); }
};

struct NoticeCase
{
    quint8 action;
    bool force;
    const char* summary;
    const char* body;
};

class Notice : public Announcement, public ::testing::WithParamInterface<NoticeCase>
{};

TEST_P(Notice, ComesLeadTimeBeforeTheEndNamesTheActionAndGoesWhenItIsCarriedOut)
{
    const NoticeCase& c = GetParam();
    startPowerRun(c.action, c.force);
    advance(59'999);
    EXPECT_TRUE(notifications.shown.empty());
    advance(1);
    ASSERT_EQ(notifications.shown.size(), 1u);
    const Notification& n = notifications.shown[0].notification;
    EXPECT_EQ(n.summary.toStdString(), c.summary);
    EXPECT_EQ(n.body.toStdString(), c.body);
    EXPECT_EQ(n.urgency, Notification::Urgency::Critical);
    EXPECT_FALSE(n.defaultAction);
    EXPECT_EQ(n.actions,
              (QList<std::pair<QString, QString>>{{Announcer::cancelKey(), QStringLiteral("Abbrechen")},
                                                  {Announcer::postponeKey(), QStringLiteral("5 Minuten später")}}));
    EXPECT_FALSE(windowUp()); // the notification is the announcement

    advance(59'999);
    EXPECT_TRUE(power.calls.isEmpty());
    advance(1);
    EXPECT_EQ(power.calls, (QList<std::pair<int, bool>>{{c.action, c.force && isForceableAktion(c.action)}}));
    EXPECT_TRUE(notifications.up().empty());
}

// The notification names the clock time of the action, which stays true while it is up.
INSTANTIATE_TEST_SUITE_P(Actions, Notice,
                         ::testing::Values(NoticeCase{AktionShutdown, false, "Herunterfahren", "um 10:02:00"},
                                           NoticeCase{AktionRestart, true, "Neustart", "um 10:02:00 (erzwungen)"},
                                           NoticeCase{AktionLogoff, true, "Abmelden", "um 10:02:00 (erzwungen)"},
                                           NoticeCase{AktionStandby, true, "Standby", "um 10:02:00"},
                                           NoticeCase{AktionHibernate, true, "Ruhezustand", "um 10:02:00"}));

TEST_F(Announcement, WithoutServerAWindowOnTopCountsDownWithTheMainWindowAndLeavesItUsable)
{
    notifications.serverAvailable = false;
    clock.advance(400); // started between two seconds of the clock: the end is too
    startPowerRun(AktionShutdown, true);
    advance(60'000);
    ASSERT_TRUE(windowUp());
    EXPECT_TRUE(notifications.shown.empty());
    EXPECT_TRUE(window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window()->windowModality(), Qt::NonModal);
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Kelvaro Vorwarnung"));
    EXPECT_EQ(window()->L_Erzwungen->text(), QStringLiteral("um 10:02:00 (erzwungen)"));
    // Each second it names the seconds the main window shows left.
    for (int left = 60; left > 1; --left, advance(1'000)) {
        EXPECT_EQ(QTime::fromString(ui().Label7->text()).msecsSinceStartOfDay(), left * 1000);
        EXPECT_EQ(window()->L_Vorwarnung->text(), QStringLiteral("Herunterfahren in %1 Sekunden").arg(left));
    }
    EXPECT_EQ(window()->L_Vorwarnung->text(), QStringLiteral("Herunterfahren in 1 Sekunde"));
    // It covers none of the main window's buttons.
    for (const QPushButton* button : main->findChildren<QPushButton*>()) {
        if (button->isVisible()) {
            EXPECT_FALSE(window()->frameGeometry().intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())))
                << button->objectName().toStdString();
        }
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(ui().Btn_Reset->isEnabled());
    advance(1'000);
    EXPECT_FALSE(windowUp());
    EXPECT_EQ(power.calls.size(), 1);
}

/** How the notification server answers, and when the announcement is on the screen. */
struct StandInCase
{
    const char* name;
    bool server;     // a notification server is there
    qint64 answerMs; // when it takes the notification after the announcement: 0 at once, -1 never
    bool fails;      // at that moment it fails instead
    qint64 windowMs; // when the window stands in after the announcement; -1 never
    const char* end; // the end once the announcement is on the screen
    qint64 actionMs; // when the action comes after the start
};

class StandIn : public Announcement, public ::testing::WithParamInterface<StandInCase>
{};

TEST_P(StandIn, TheAnnouncementIsOnTheScreenWithinTwoSecondsAndUpForTheWholeLeadTime)
{
    const StandInCase& c = GetParam();
    notifications.serverAvailable = c.server;
    notifications.confirmsAtOnce = c.answerMs == 0;
    startPowerRun(); // 10:00:00 to 10:02:00, announced at 10:01:00
    advance(60'000);
    qint64 at = 0;
    for (const qint64 moment : {0, 499, 500, 1'499, 1'500, 1'999, 2'000, 3'000}) {
        advance(moment - at);
        at = moment;
        if (moment == c.answerMs && c.answerMs > 0) {
            ASSERT_TRUE(c.fails ? notifications.fail(upNotification()) : notifications.confirm(upNotification()));
        }
        EXPECT_EQ(windowUp(), c.windowMs >= 0 && moment >= c.windowMs) << moment;
    }
    const QString endText = QStringLiteral("um ") + QLatin1String(c.end);
    EXPECT_EQ(ui().Label11->text().toStdString(), c.end);
    if (c.windowMs >= 0) {
        EXPECT_TRUE(notifications.up().empty()); // one announcement at a time
        EXPECT_EQ(window()->L_Erzwungen->text(), endText);
    } else {
        // The same notification, its text replaced when the end moved.
        EXPECT_EQ(notifications.up().at(0).notification.body, endText);
    }
    advance(c.actionMs - 63'001);
    EXPECT_TRUE(power.calls.isEmpty());
    advance(1);
    EXPECT_EQ(power.calls.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Servers, StandIn,
                         ::testing::Values(StandInCase{"TakesItAtOnce", true, 0, false, -1, "10:02:00", 120'000},
                                           StandInCase{"TakesItLate", true, 1'500, false, -1, "10:02:01", 121'500},
                                           StandInCase{"NeverAnswers", true, -1, false, 2'000, "10:02:02", 122'000},
                                           StandInCase{"Fails", true, 500, true, 500, "10:02:00", 120'500},
                                           StandInCase{"NoServer", false, -1, false, 0, "10:02:00", 120'000}),
                         [](const ::testing::TestParamInfo<StandInCase>& row) { return std::string(row.param.name); });

/** Where the user chooses: in the notification, in the window without a server, in the window that
 *  stands in for a notification the server could not show with its choices, in the tray menu, by keys
 *  of the main window, by keys of the window (Return or Escape to cancel, the mnemonic to postpone). */
enum class Place { Notification, Window, WindowForFailedNotification, TrayMenu, Keys, WindowReturn, WindowEscape };

std::string placeName(const ::testing::TestParamInfo<Place>& info)
{
    static const char* const names[] = {
        "Notification", "Window", "WindowForFailedNotification", "TrayMenu", "Keys", "WindowReturn", "WindowEscape"};
    return names[int(info.param)];
}

class Choice : public Announcement, public ::testing::WithParamInterface<Place>
{
protected:
    void SetUp() override
    {
        Announcement::SetUp();
        const Place place = GetParam();
        notifications.serverAvailable =
            place != Place::Window && place != Place::WindowReturn && place != Place::WindowEscape;
    }

    bool announced() { return windowUp() || !notifications.up().empty(); }

    /** The user chooses "Abbrechen" (`cancel`) or "5 Minuten später" where the test says. */
    void choose(bool cancel)
    {
        switch (GetParam()) {
        case Place::Notification:
            ASSERT_TRUE(
                notifications.choose(upNotification(), cancel ? Announcer::cancelKey() : Announcer::postponeKey()));
            break;
        case Place::WindowForFailedNotification:
            ASSERT_FALSE(windowUp());
            ASSERT_TRUE(notifications.fail(upNotification()));
            [[fallthrough]];
        case Place::Window:
            ASSERT_TRUE(windowUp());
            QTest::mouseClick(cancel ? window()->Btn_Abbrechen : window()->Btn_Spaeter, Qt::LeftButton);
            break;
        case Place::TrayMenu:
            (cancel ? ui().Stop1 : ui().Spaeter1)->trigger();
            break;
        case Place::WindowReturn:
        case Place::WindowEscape: {
            ASSERT_TRUE(windowUp());
            QCoreApplication::processEvents();
            QApplication::setActiveWindow(window());
            window()->Btn_Spaeter->setFocus(); // Return cancels all the same
            const bool escape = GetParam() == Place::WindowEscape;
            // A mnemonic presses its button visibly; Qt lets it go a moment later.
            QSignalSpy clicked(cancel ? window()->Btn_Abbrechen : window()->Btn_Spaeter, &QPushButton::clicked);
            QTest::keyClick(window()->windowHandle(), cancel ? (escape ? Qt::Key_Escape : Qt::Key_Return) : Qt::Key_M,
                            cancel ? Qt::NoModifier : Qt::AltModifier);
            ASSERT_TRUE(clicked.count() == 1 || clicked.wait());
            break;
        }
        case Place::Keys:
            QApplication::setActiveWindow(main.get());
            if (cancel)
                ui().Btn_Reset->click();
            else
                QTest::keyClick(main->windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
            break;
        }
    }
};

TEST_P(Choice, CancelDoesWhatStopDoes)
{
    startPowerRun();
    advance(70'000);
    ASSERT_TRUE(announced());
    choose(true);
    EXPECT_FALSE(running());
    EXPECT_FALSE(announced());
    EXPECT_EQ(ui().Label7->text(), QString());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90"));
    advance(120'000);
    EXPECT_TRUE(power.calls.isEmpty());
}

TEST_P(Choice, PostponeTwiceMovesTheEndAndAnnouncesAgainBeforeIt)
{
    // Offered only during a countdown or clock-time run.
    createAndShow();
    main->CurrentOptions().SetZeitMode(ZeitStopuhr);
    ui().Btn_Start->click();
    EXPECT_FALSE(ui().Spaeter1->isEnabled());
    EXPECT_FALSE(ui().Spaeter2->isEnabled());
    ui().Btn_Reset->click();
    main.reset();

    startPowerRun(); // 10:00:00 to 10:02:00
    EXPECT_TRUE(ui().Spaeter1->isEnabled());
    advance(70'000);
    ASSERT_TRUE(announced());
    choose(false);
    EXPECT_FALSE(announced());
    EXPECT_EQ(ui().Label9->text(), QStringLiteral("10:00:00"));
    EXPECT_EQ(ui().Label11->text(), QStringLiteral("10:07:00"));
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:05:50"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [00:05:50]"));
    EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro  [00:05:50]"));
    EXPECT_EQ(main->trayRingStep(), CountdownRing::step(350.0 / 420.0));

    advance(289'999); // 10:05:59.999, a moment before the new announcement
    EXPECT_FALSE(announced());
    advance(10'001);
    ASSERT_TRUE(announced());
    choose(false);
    EXPECT_EQ(ui().Label11->text(), QStringLiteral("10:12:00"));
    advance(349'999);
    EXPECT_TRUE(power.calls.isEmpty());
    advance(1);
    EXPECT_EQ(power.calls.size(), 1);
    EXPECT_FALSE(ui().Spaeter1->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Places, Choice,
                         ::testing::Values(Place::Notification, Place::Window, Place::WindowForFailedNotification,
                                           Place::TrayMenu, Place::Keys, Place::WindowReturn, Place::WindowEscape),
                         placeName);

} // namespace
