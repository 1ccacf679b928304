#include "MainWindowFixture.h"
#include "widgets/ActionPanel.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

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

/** The icon's own window, as an XEmbed notification area shows it: a window of the program without
 *  a parent, which hands its button presses and releases to the tray component. */
class IconWindow : public QWidget
{
public:
    explicit IconWindow(TTrayIcon& icon) : m_icon(icon) { setGeometry(1000, 0, 22, 22); }

protected:
    void mousePressEvent(QMouseEvent* event) override { m_icon.handleCallback(code(event, 513, 516)); }
    void mouseReleaseEvent(QMouseEvent* event) override { m_icon.handleCallback(code(event, 514, 517)); }

private:
    static quint32 code(const QMouseEvent* event, quint32 left, quint32 right)
    {
        return event->button() == Qt::RightButton ? right : left;
    }
    TTrayIcon& m_icon;
};

struct IconUse
{
    Qt::MouseButton button; // left: a click; right: "Anzeigen" from the icon's menu
    bool closePgm;
};

class TrayWhileTheMessageIsOpen : public Tray, public ::testing::WithParamInterface<IconUse>
{};

TEST_P(TrayWhileTheMessageIsOpen, IconClosesTheMessageAndTheProgramGoesOnAsAfterOk)
{
    const IconUse use = GetParam();
    setCountdown(0, 0, 1);
    main->CurrentOptions().SetClosePgm(use.closePgm);
    QSignalSpy closed(main.get(), &TMain::closed);
    IconWindow icon(main->trayIcon());
    icon.show();
    bool restoredWhileOpen = false;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog& dialog) {
        // The main window stays out of reach while the message is open.
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {},
                          ui().Btn_Beenden->mapTo(main.get(), ui().Btn_Beenden->rect().center()));
        EXPECT_EQ(closed.count(), 0);
        if (use.button == Qt::RightButton) // picks "Anzeigen" once the menu has opened
            QTimer::singleShot(0, ui().PopupMenu1, [this] {
                QMenu* menu = ui().PopupMenu1;
                if (menu->isVisible())
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(ui().ProgAnzeigen).center());
            });
        QTest::mouseClick(icon.windowHandle(), use.button);
        restoredWhileOpen = main->isVisible();
        EXPECT_FALSE(dialog.isVisible());
    };
    ui().Btn_Start->click();
    minimize();
    advance(3'000);
    EXPECT_TRUE(restoredWhileOpen);
    EXPECT_EQ(closed.count(), use.closePgm ? 1 : 0);
    EXPECT_EQ(sound.stops, 0); // unlike "OK", the icon leaves a sound file playing
}

INSTANTIATE_TEST_SUITE_P(ClickAndMenu, TrayWhileTheMessageIsOpen,
                         ::testing::Values(IconUse{Qt::LeftButton, false}, IconUse{Qt::LeftButton, true},
                                           IconUse{Qt::RightButton, false}, IconUse{Qt::RightButton, true}));

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
