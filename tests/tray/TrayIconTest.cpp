// What the component gives the notification area, and what it makes of the area's activations.
#include "TrayFixture.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPixmap>

using namespace kelvaro;
using namespace kelvaro::test;
using Log = std::vector<std::string>;

namespace {

using TrayIcon = TrayFixture;

TEST_F(TrayIcon, HintAndIconReachTheAreaAsTheyAre)
{
    for (const QString& hint : {QStringLiteral("Kelvaro  [00:04:59]"), QStringLiteral("0123456789").repeated(20),
                                QString(200, QChar(0xE4)), QString()}) {
        tray->SetHint(hint);
        EXPECT_EQ(tray->GetHint(), hint);
        EXPECT_EQ(shell.toolTip, hint);
    }
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    const QIcon icon(QPixmap::fromImage(image));
    tray->SetIcon(icon);
    EXPECT_EQ(shell.icon.cacheKey(), icon.cacheKey());
    EXPECT_EQ(tray->GetIcon().cacheKey(), icon.cacheKey());
}

TEST_F(TrayIcon, VisibilityAddsAndRemovesTheIcon)
{
    tray->SetIconVisible(true);
    EXPECT_TRUE(shell.shown);
    tray->SetIconVisible(false);
    EXPECT_FALSE(shell.shown);
    EXPECT_FALSE(tray->GetIconVisible());

    // A refused add leaves the flag set.
    shell.areaAvailable = false;
    tray->SetIconVisible(true);
    EXPECT_FALSE(shell.shown);
    EXPECT_TRUE(tray->GetIconVisible());

    // Destruction removes the icon and stops listening.
    shell.areaAvailable = true;
    tray->SetIconVisible(true);
    tray.reset();
    EXPECT_FALSE(shell.shown);
    shell.click();
    EXPECT_TRUE(log.empty());
}

TEST_F(TrayIcon, ComesBackAfterTheAreaRestartsOnlyWhileShown)
{
    const auto restartArea = [this] {
        shell.areaAvailable = false;
        shell.shown = false; // the area and its icons are gone
        shell.changeArea();
        shell.areaAvailable = true;
        shell.changeArea();
    };
    tray->SetIconVisible(true);
    timers.advance(10'000);
    EXPECT_EQ(shell.shows, 1) << "an area that stays is left alone";
    restartArea();
    EXPECT_TRUE(shell.shown);
    EXPECT_EQ(shell.shows, 2);

    tray->SetIconVisible(false);
    restartArea();
    EXPECT_FALSE(shell.shown);
    EXPECT_EQ(shell.shows, 2);
    EXPECT_EQ(timers.activeCount(), 0) << "no checking while the icon is not shown";
}

TEST_F(TrayIcon, ClickAndDoubleClickAreTheirOwnEvents)
{
    shell.click();
    EXPECT_EQ(log, Log{"click"});
    // The area reports a double click as the click of its first press and then the double click.
    shell.activate(QSystemTrayIcon::Trigger);
    shell.activate(QSystemTrayIcon::DoubleClick);
    // A middle click means nothing; on a context request the area opens the menu itself.
    shell.activate(QSystemTrayIcon::MiddleClick);
    shell.activate(QSystemTrayIcon::Context);
    shell.activate(QSystemTrayIcon::Unknown);
    timers.advance(5'000);
    EXPECT_EQ(log, (Log{"click", "click", "dblclick"}));
}

TEST_F(TrayIcon, TheAreaHasTheMenuAndNoMenuOpensOnAContextRequest)
{
    auto menu = std::make_unique<QMenu>();
    menu->addAction(QStringLiteral("Anzeigen"));
    tray->SetPopupMenu(menu.get());
    EXPECT_EQ(shell.menu, menu.get());
    EXPECT_EQ(tray->GetPopupMenu(), menu.get());
    tray->SetIconVisible(true);
    shell.activate(QSystemTrayIcon::Context);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    menu.reset();
    EXPECT_EQ(tray->GetPopupMenu(), nullptr) << "a menu that goes away is forgotten";
}

} // namespace
