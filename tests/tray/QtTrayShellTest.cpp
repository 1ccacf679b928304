// The Linux shell under the offscreen platform, where there is no notification area.
#include "tray/QtTrayShell.h"

#include "mock/FakeClock.h"
#include "mock/VirtualTimerService.h"
#include "resources/Resources.h"
#include "tray/TTrayIcon.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>

#include <gtest/gtest.h>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class QtTray : public ::testing::Test
{
protected:
    FakeClock clock;
    VirtualTimerService timers{clock};
    bool areaAvailable = false;
    QtTrayShell shell{[this] {
        return areaAvailable;
    }};
};

TEST_F(QtTray, ShowsIconAndPlainTipAndTurnsActivationsIntoEvents)
{
    initResources();
    const QIcon programIcon(programIconPath());
    ASSERT_FALSE(programIcon.isNull());

    TTrayIcon tray(shell);
    std::vector<std::string> log;
    tray.OnClick = [&log](TTrayIcon*) {
        log.push_back("click");
    };
    tray.OnDblClick = [&log](TTrayIcon*) {
        log.push_back("dblclick");
    };
    tray.SetIcon(programIcon);
    tray.SetHint(QStringLiteral("<b>Kelvaro</b>"));
    EXPECT_EQ(shell.trayIcon(), nullptr) << "made only when first shown";
    tray.SetIconVisible(true); // no notification area here: must not fail
    QSystemTrayIcon* icon = shell.trayIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->icon().cacheKey(), programIcon.cacheKey());
    EXPECT_TRUE(icon->toolTip().contains(QStringLiteral("&lt;b&gt;Kelvaro&lt;/b&gt;"))) << "shown as plain text";
    tray.SetHint(QStringLiteral("Kelvaro  [00:04:59]"));
    EXPECT_EQ(icon->toolTip(), QStringLiteral("Kelvaro  [00:04:59]"));

    Q_EMIT icon->activated(QSystemTrayIcon::Trigger);
    Q_EMIT icon->activated(QSystemTrayIcon::Context);
    Q_EMIT icon->activated(QSystemTrayIcon::MiddleClick);
    Q_EMIT icon->activated(QSystemTrayIcon::DoubleClick);
    // They arrive once the icon's own event handling is over, which may remove the icon.
    EXPECT_TRUE(log.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    timers.advance(5000);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "dblclick"}));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the area opens the menu, not the component";

    tray.SetIconVisible(false);
    EXPECT_FALSE(icon->isVisible());
}

TEST_F(QtTray, IconWithoutImageShowsTheProgramIcon)
{
    QApplication::setWindowIcon(QIcon(programIconPath()));
    shell.show();
    EXPECT_FALSE(shell.trayIcon()->icon().isNull());
    QApplication::setWindowIcon(QIcon());
}

TEST_F(QtTray, AreaComingBackShowsTheIconAgain)
{
    TTrayIcon tray(shell);
    tray.SetIconVisible(true);
    QSystemTrayIcon* icon = shell.trayIcon();
    areaAvailable = true;
    shell.noteAreaChanged();
    EXPECT_EQ(shell.trayIcon(), icon) << "one icon, registered anew";
    EXPECT_TRUE(icon->isVisible());
}

TEST_F(QtTray, MenuIsTheIconsContextMenuAndIsForgottenWhenDestroyed)
{
    TTrayIcon tray(shell);
    auto menu = std::make_unique<QMenu>();
    menu->addAction(QStringLiteral("Anzeigen"));
    tray.SetPopupMenu(menu.get()); // before the icon exists
    tray.SetIconVisible(true);
    EXPECT_EQ(shell.trayIcon()->contextMenu(), menu.get());
    auto other = std::make_unique<QMenu>();
    tray.SetPopupMenu(other.get()); // and after
    EXPECT_EQ(shell.trayIcon()->contextMenu(), other.get());
    other.reset();
    EXPECT_EQ(tray.GetPopupMenu(), nullptr);
    EXPECT_EQ(shell.trayIcon()->contextMenu(), nullptr);
}

} // namespace
