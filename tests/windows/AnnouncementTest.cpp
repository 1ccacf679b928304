#include "MainWindowFixture.h"
#include "core/CountdownRing.h"
#include "widgets/ActionPanel.h"
#include "windows/Announcer.h"
#include "windows/TVorwarnung.h"

#include <QAction>
#include <QApplication>
#include <QTest>

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
    EXPECT_EQ(power.calls, (QList<std::pair<int, bool>>{{c.action, c.force && ActionPanel::isForceable(c.action)}}));
    EXPECT_TRUE(notifications.up().empty());
}

INSTANTIATE_TEST_SUITE_P(Actions, Notice,
                         ::testing::Values(NoticeCase{AktionShutdown, false, "Herunterfahren in 60 Sekunden", ""},
                                           NoticeCase{AktionRestart, true, "Neustart in 60 Sekunden", "(erzwungen)"},
                                           NoticeCase{AktionLogoff, true, "Abmelden in 60 Sekunden", "(erzwungen)"},
                                           NoticeCase{AktionStandby, true, "Standby in 60 Sekunden", ""},
                                           NoticeCase{AktionHibernate, true, "Ruhezustand in 60 Sekunden", ""}));

TEST_F(Announcement, WithoutServerAWindowOnTopCountsDownAndLeavesTheProgramUsable)
{
    notifications.serverAvailable = false;
    startPowerRun(AktionShutdown, true);
    advance(60'000);
    ASSERT_TRUE(windowUp());
    EXPECT_TRUE(notifications.shown.empty());
    EXPECT_TRUE(window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window()->windowModality(), Qt::NonModal);
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Kelvaro Vorwarnung"));
    EXPECT_EQ(window()->L_Vorwarnung->text(), QStringLiteral("Herunterfahren in 60 Sekunden"));
    EXPECT_EQ(window()->L_Erzwungen->text(), QStringLiteral("(erzwungen)"));
    EXPECT_EQ(window()->Btn_Abbrechen->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(window()->Btn_Spaeter->text(), QStringLiteral("5 Minuten später"));
    advance(10'000);
    EXPECT_EQ(window()->L_Vorwarnung->text(), QStringLiteral("Herunterfahren in 50 Sekunden"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(ui().Btn_Reset->isEnabled());
    advance(50'000);
    EXPECT_FALSE(windowUp());
    EXPECT_EQ(power.calls.size(), 1);
}

/** Where the user chooses: in the notification, in the window without a server, in the window that
 *  stands in for a notification the server could not show with its choices, in the tray menu, by keys. */
enum class Place { Notification, Window, WindowForFailedNotification, TrayMenu, Keys };

std::string placeName(const ::testing::TestParamInfo<Place>& info)
{
    static const char* const names[] = {"Notification", "Window", "WindowForFailedNotification", "TrayMenu", "Keys"};
    return names[int(info.param)];
}

class Choice : public Announcement, public ::testing::WithParamInterface<Place>
{
protected:
    void SetUp() override
    {
        Announcement::SetUp();
        notifications.serverAvailable = GetParam() != Place::Window;
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
                                           Place::TrayMenu, Place::Keys),
                         placeName);

} // namespace
