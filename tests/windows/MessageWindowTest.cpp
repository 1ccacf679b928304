#include "MainWindowFixture.h"

#include <QAction>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class MessageWindow : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        createAndShow();
    }

    void openMessage(const QString& text = QStringLiteral("Tee ist fertig"))
    {
        main->CurrentOptions().SetNachricht(text);
        ui().Start1->setEnabled(false);
        ui().Stop1->setEnabled(true);
        nachricht->show();
    }
};

TEST_F(MessageWindow, ShowsTheMessageAndCountsTheSecondsSinceItAppeared)
{
    openMessage();
    EXPECT_EQ(nachricht->Label_Nachricht->text(), QStringLiteral("Tee ist fertig"));
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("00:00:00"));

    // Refreshed every 200 ms: a new second shows at the first tick after it began.
    advance(999);
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("00:00:00"));
    advance(1);
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("00:00:01"));
    advance(66'200);
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("00:01:07"));
    advance(25 * 3'600'000 - 67'200);
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("01:00:00")); // wraps after a day
    advance(1'000);
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("01:00:01")); // and goes on
}

TEST_F(MessageWindow, ClockTicksFiveTimesASecond)
{
    openMessage();
    const int wakeUps = timers.timeouts();
    advance(10'000);
    EXPECT_EQ(timers.timeouts() - wakeUps, 50 + 10); // and the main window's clock
}

TEST_F(MessageWindow, ClockSetBackNeverShowsANegativeTime)
{
    openMessage();
    clock.advance(-10'200); // the clock is set back
    advance(200);
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("00:00:10"));
}

TEST_F(MessageWindow, EachShowingStartsFromZeroWithTheCurrentText)
{
    openMessage(QStringLiteral("erste"));
    advance(5'000);
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("00:00:05"));
    nachricht->close();
    openMessage(QStringLiteral("zweite"));
    EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(nachricht->Label_Nachricht->text(), QStringLiteral("zweite"));
}

// Only "OK" stops the sound.
TEST_F(MessageWindow, EveryWayOfClosingEnablesStartAndStopsTheClock)
{
    const std::pair<std::function<void()>, int> ways[] = {
        {[this] { QTest::mouseClick(nachricht->Btn_OK, Qt::LeftButton); }, 1},
        {[this] { nachricht->close(); }, 0}, // the close box
        {[this] { QTest::keyClick(nachricht.get(), Qt::Key_Escape); }, 0},
        {[this] { nachricht->closeIfShowing(); }, 0}, // from the tray icon
    };
    const int clockOnly = timers.activeCount();
    for (const auto& [closeIt, soundStops] : ways) {
        openMessage();
        EXPECT_EQ(timers.activeCount(), clockOnly + 1);
        EXPECT_EQ(notifications.up().size(), 1U);
        const int stopsBefore = sound.stops;
        closeIt();
        EXPECT_EQ(sound.stops - stopsBefore, soundStops);
        EXPECT_FALSE(nachricht->isVisible());
        EXPECT_TRUE(notifications.up().empty()) << "the notification is withdrawn";
        EXPECT_TRUE(ui().Start1->isEnabled());
        EXPECT_FALSE(ui().Stop1->isEnabled());
        EXPECT_EQ(timers.activeCount(), clockOnly);
        advance(2'000);
        EXPECT_EQ(nachricht->L_Uhrzeit->text(), QStringLiteral("00:00:00"));
    }
}

TEST_F(MessageWindow, IsMadeAtTheFirstExpiryAndServesEveryRunAfterIt)
{
    // No window besides the main window is made at start.
    EXPECT_FALSE(deinstallation.made() || nachricht.made() || infofenster.made() || hilfe.made() ||
                 einstellungen.made());
    QList<const QDialog*> shown;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog& d) {
        shown << &d;
        EXPECT_TRUE(d.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(d.windowModality(), Qt::WindowModal);
        EXPECT_EQ(nachricht->Label_Nachricht->text(), QStringLiteral("Tee %1").arg(shown.size()));
    };
    for (int run = 1; run <= 2; ++run) {
        main->CurrentOptions().SetNachricht(QStringLiteral("Tee %1").arg(run));
        setCountdown(0, 0, 2);
        ui().Btn_Start->click();
        advance(3'000);
    }
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[0], nachricht.made());
}

TEST_F(MessageWindow, MessageIsPlainTextOfAnyLength)
{
    openMessage(QStringLiteral("<b>fett</b> & <a href=\"x\">Link</a>"));
    EXPECT_EQ(nachricht->Label_Nachricht->textFormat(), Qt::PlainText);
    EXPECT_EQ(nachricht->Label_Nachricht->text(), QStringLiteral("<b>fett</b> & <a href=\"x\">Link</a>"));
    nachricht->close();

    openMessage(QString(1'000'000, u'x') + QStringLiteral(" Ende"));
    EXPECT_EQ(nachricht->Label_Nachricht->text().size(), TNachricht::kShownMessageLength);
    EXPECT_EQ(nachricht->Label_Nachricht->alignment(), Qt::AlignHCenter | Qt::AlignTop); // the start stays in view
    EXPECT_EQ(nachricht->Label_Nachricht->geometry(), QRect(0, 40, 393, 34));            // the layout stays
    EXPECT_EQ(nachricht->size(), QSize(393, 129));
}

} // namespace
