#include "MainWindowFixture.h"
#include "widgets/ActionPanel.h"

#include <QAction>
#include <QTabWidget>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

constexpr quint32 kLeftDown = 513;
constexpr quint32 kLeftUp = 514;

class Tray : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        createAndShow();
        clockTick();
    }

    void minimize()
    {
        main->showMinimized();
        QCoreApplication::processEvents();
    }

    void clickIcon()
    {
        main->trayIcon().handleCallback(kLeftDown);
        main->trayIcon().handleCallback(kLeftUp);
    }

    bool iconShown() const { return !trayShell.shown.empty(); }
    QString shownTip() const { return iconShown() ? trayShell.shown.begin()->second.tip() : QString(); }
};

TEST_F(Tray, MinimisingHidesTheWindowAndShowsTheIcon)
{
    EXPECT_FALSE(iconShown());
    minimize();
    EXPECT_FALSE(main->isVisible());
    ASSERT_TRUE(iconShown());
    EXPECT_EQ(shownTip(), QStringLiteral("Kelvaro"));
}

TEST_F(Tray, ClickBringsTheWindowBackAndShowsTheOptionsAgainEveryTime)
{
    ui().Btn_Config->click();
    for (int round = 0; round < 3; ++round) {
        ui().PageControl1->setCurrentIndex(2);
        main->CurrentOptions().SetNachricht(QStringLiteral("Runde %1").arg(round));
        minimize();
        ASSERT_TRUE(iconShown());
        clickIcon();
        EXPECT_TRUE(main->isVisible());
        EXPECT_FALSE(main->isMinimized());
        EXPECT_FALSE(iconShown());
        EXPECT_EQ(ui().PageControl1->currentIndex(), 0);
        EXPECT_EQ(ui().Aktion->Ed_Nachricht->text(), QStringLiteral("Runde %1").arg(round));
    }
}

TEST_F(Tray, ShowInTheMenuDoesTheSameAsAClick)
{
    minimize();
    ui().ProgAnzeigen->trigger();
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(iconShown());
}

TEST_F(Tray, TipShowsTheRemainingTimeAndMenuControlsTheRunWhileHidden)
{
    setCountdown(0, 5, 0);
    minimize();
    ui().Start1->trigger();
    EXPECT_TRUE(running());
    EXPECT_FALSE(main->isVisible());
    clock.advance(400);
    clockTick();
    main->Timer2Timer();
    EXPECT_EQ(shownTip(), QStringLiteral("Kelvaro  [00:04:59]"));

    ui().Stop1->trigger();
    EXPECT_FALSE(running());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(shownTip(), QStringLiteral("Kelvaro"));
}

TEST_F(Tray, MinimiseOptionSendsTheWindowToTheTrayWhenTheRunStarts)
{
    setCountdown(0, 1, 0);
    main->CurrentOptions().SetMinimize(true);
    ui().Btn_Start->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(running());
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(iconShown());
}

TEST_F(Tray, WithoutANotificationAreaTheWindowStaysInTheTaskBar)
{
    trayShell.areaAvailable = false;
    minimize();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->isMinimized());
    EXPECT_FALSE(iconShown());
}

TEST_F(Tray, ClickWhileTheMessageIsOpenClosesItFirst)
{
    setCountdown(0, 0, 1);
    main->CurrentOptions().SetClosePgm(true);
    QSignalSpy closed(main.get(), &TMain::closed);
    bool restoredWhileOpen = false;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog& dialog) {
        clickIcon();
        restoredWhileOpen = main->isVisible();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(sound.stops, 0); // unlike "OK", the click leaves a sound file playing
    };
    ui().Btn_Start->click();
    minimize();
    advance(3'000);
    EXPECT_TRUE(restoredWhileOpen);
    EXPECT_EQ(closed.count(), 1); // ClosePgm applies once the message is closed
}

TEST_F(Tray, RingEmptiesWithTheRemainingTimeAndGoesAwayOnStop)
{
    EXPECT_EQ(main->trayRingStep(), -1);
    setCountdown(0, 1, 0);
    ui().Btn_Start->click();
    clockTick();
    main->Timer2Timer();
    EXPECT_EQ(main->trayRingStep(), 60);
    advance(30'000);
    EXPECT_NEAR(main->trayRingStep(), 30, 1);
    ui().Btn_Reset->click();
    EXPECT_EQ(main->trayRingStep(), -1);
}

} // namespace
