#include "MainWindowFixture.h"
#include "widgets/ActionPanel.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class Tray : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        createAndShow();
        advance(1'000); // the first clock tick
    }

    void minimize()
    {
        main->showMinimized();
        QCoreApplication::processEvents();
    }

    void clickIcon() { trayShell.click(); }

    bool iconShown() const { return trayShell.shown; }
    QString shownTip() const { return iconShown() ? trayShell.toolTip : QString(); }
};

TEST_F(Tray, MinimisingHidesTheWindowAndShowsTheIcon)
{
    EXPECT_FALSE(iconShown());
    minimize();
    EXPECT_FALSE(main->isVisible());
    ASSERT_TRUE(iconShown());
    EXPECT_EQ(shownTip(), QStringLiteral("Kelvaro"));
}

TEST_F(Tray, MinimisingGoesToTheTrayAlsoWhenTheWindowSystemReportsTheWindowNormalAtOnce)
{
    // What Qt does on Wayland, where a minimised window has no state of its own.
    main->showMinimized();
    main->setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(iconShown());
}

// The last round brings it back with "Anzeigen" from the icon's menu, which does the same as a click.
TEST_F(Tray, ClickBringsTheWindowBackAndShowsTheOptionsAgainEveryTime)
{
    ui().Btn_Config->click();
    for (int round = 0; round < 4; ++round) {
        ui().PageControl1->setCurrentIndex(2);
        main->CurrentOptions().SetNachricht(QStringLiteral("Runde %1").arg(round));
        minimize();
        ASSERT_TRUE(iconShown());
        if (round < 3)
            clickIcon();
        else
            ui().ProgAnzeigen->trigger();
        EXPECT_TRUE(main->isVisible());
        EXPECT_FALSE(main->isMinimized());
        EXPECT_FALSE(iconShown());
        EXPECT_EQ(ui().PageControl1->currentIndex(), 0);
        EXPECT_EQ(ui().Aktion->Ed_Nachricht->text(), QStringLiteral("Runde %1").arg(round));
    }
}

TEST_F(Tray, TheIconsMenuIsThePopupMenu)
{
    minimize();
    ASSERT_EQ(trayShell.menu, ui().PopupMenu1);
    QStringList entries;
    for (const QAction* action : trayShell.menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text().remove(u'&')); // without mnemonics
    EXPECT_EQ(entries, (QStringList{QStringLiteral("Anzeigen"), QStringLiteral("-"), QStringLiteral("Start"),
                                    QStringLiteral("Stop"), QStringLiteral("5 Minuten später"), QStringLiteral("-"),
                                    QStringLiteral("Beenden")}));
    EXPECT_FALSE(ui().Stop1->isEnabled());
    EXPECT_FALSE(ui().Spaeter1->isEnabled());

    QSignalSpy closed(main.get(), &TMain::closed);
    ui().ProgBeenden->trigger();
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(Tray, TipShowsTheRemainingTimeAndMenuControlsTheRunWhileHidden)
{
    setCountdown(0, 5, 0);
    minimize();
    advance(1'600); // a clock tick while hidden without a run: the clock stops until something needs it
    ui().Start1->trigger();
    EXPECT_TRUE(running());
    EXPECT_FALSE(main->isVisible());
    advance(400); // the next clock tick
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

/** The icon's own window, as Qt shows it in an XEmbed notification area: a window of the program
 *  without a parent; a left press activates the icon, a right press opens its menu. */
class IconWindow : public QWidget
{
public:
    explicit IconWindow(RecordingTrayShell& shell) : m_shell(shell) { setGeometry(1000, 0, 22, 22); }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::RightButton) {
            if (m_shell.menu)
                m_shell.menu->popup(event->globalPosition().toPoint());
            m_shell.activate(QSystemTrayIcon::Context);
        } else if (event->button() == Qt::LeftButton) {
            m_shell.activate(QSystemTrayIcon::Trigger);
        }
    }

private:
    RecordingTrayShell& m_shell;
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
    IconWindow icon(trayShell);
    icon.show();
    bool restoredWhileOpen = false;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog& dialog) {
        // The main window stays out of reach while the message is open.
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {},
                          ui().Btn_Beenden->mapTo(main.get(), ui().Btn_Beenden->rect().center()));
        EXPECT_EQ(closed.count(), 0);
        QTest::mouseClick(icon.windowHandle(), use.button);
        if (use.button == Qt::RightButton) { // picks "Anzeigen" in the menu the area opened
            QMenu* menu = ui().PopupMenu1;
            EXPECT_TRUE(menu->isVisible());
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(ui().ProgAnzeigen).center());
        }
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
    advance(100); // the first run tick
    EXPECT_EQ(main->trayRingStep(), 60);
    advance(30'000);
    EXPECT_NEAR(main->trayRingStep(), 30, 1);
    ui().Btn_Reset->click();
    EXPECT_EQ(main->trayRingStep(), -1);
}

} // namespace
