// The Linux shell under the offscreen platform, where there is no notification area.
#include "tray/QtTrayShell.h"

#include "mock/ManualTimerService.h"
#include "resources/Resources.h"
#include "tray/QtTrayOwner.h"
#include "tray/QtTrayPopupMenu.h"
#include "tray/TTrayIcon.h"

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QWidget>

#include <gtest/gtest.h>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** Counts how often the icon is added. */
class CountingTrayIcon : public TTrayIcon
{
public:
    using TTrayIcon::TTrayIcon;
    int adds = 0;

protected:
    bool AddIconToTray() override
    {
        ++adds;
        return TTrayIcon::AddIconToTray();
    }
};

class QtTray : public ::testing::Test
{
protected:
    ManualTimerService timers;
    bool areaAvailable = false;
    QtTrayShell shell{nullptr, [this] {
                          return areaAvailable;
                      }};

    QList<QSystemTrayIcon*> icons() const { return shell.findChildren<QSystemTrayIcon*>(); }
};

TEST_F(QtTray, ShowsIconAndPlainTipAndTurnsActivationsIntoCallbacks)
{
    initResources();
    const QIcon programIcon(programIconPath());
    ASSERT_FALSE(programIcon.isNull());

    CountingTrayIcon tray(shell, timers);
    std::vector<std::string> log;
    tray.OnClick = [&log](TTrayIcon*) {
        log.push_back("click");
    };
    tray.OnDblClick = [&log](TTrayIcon*) {
        log.push_back("dblclick");
    };
    tray.OnMouseDown = [&log](TTrayIcon*, TMouseButton button, TShiftState, int, int) {
        log.push_back("down " + std::to_string(static_cast<int>(button)));
    };
    tray.OnMouseUp = [&log](TTrayIcon*, TMouseButton button, TShiftState, int, int) {
        log.push_back("up " + std::to_string(static_cast<int>(button)));
    };
    tray.SetIcon(programIcon);
    tray.SetHint(QStringLiteral("<b>Kelvaro</b>"));
    tray.SetIconVisible(true); // no notification area here: must not fail
    ASSERT_EQ(icons().size(), 1);
    QSystemTrayIcon* icon = icons().front();
    EXPECT_EQ(icon->icon().cacheKey(), programIcon.cacheKey());
    EXPECT_TRUE(icon->toolTip().contains(QStringLiteral("&lt;b&gt;Kelvaro&lt;/b&gt;"))) << "shown as plain text";

    Q_EMIT icon->activated(QSystemTrayIcon::Trigger);
    Q_EMIT icon->activated(QSystemTrayIcon::Context);
    Q_EMIT icon->activated(QSystemTrayIcon::MiddleClick);
    Q_EMIT icon->activated(QSystemTrayIcon::DoubleClick);
    // They arrive once the icon's own event handling is over, which may remove the icon.
    EXPECT_TRUE(log.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    timers.advance(5000);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0", "up 0", "down 1", "up 1", "down 2", "up 2", "dblclick"}))
        << "the double click swallows the waiting click";

    tray.SetIconVisible(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(icons().isEmpty());
}

TEST_F(QtTray, AreaComingBackAddsTheShownIconAgain)
{
    CountingTrayIcon tray(shell, timers);
    tray.SetIconVisible(true);
    shell.checkNotificationArea();
    EXPECT_EQ(tray.adds, 1);
    areaAvailable = true;
    shell.checkNotificationArea();
    EXPECT_EQ(tray.adds, 2);
    shell.checkNotificationArea();
    EXPECT_EQ(tray.adds, 2) << "only a change from absent to present counts";
    EXPECT_EQ(icons().size(), 1);
}

TEST_F(QtTray, MinimisedWindowGoesToTheTrayAndComesBack)
{
    areaAvailable = true;
    QWidget window;
    window.show();
    QtTrayOwner owner(&window);
    TTrayIcon tray(shell, timers, &owner);
    tray.SetMinimizeToTray(true);
    window.showMinimized();
    tray.applicationMinimized();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(tray.GetIconVisible());

    tray.RestoreMainWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
}

TEST_F(QtTray, MenuClicksItsEnabledDefaultActionAndIsForgottenWhenDestroyed)
{
    TTrayIcon tray(shell, timers);
    auto menu = std::make_unique<QtTrayPopupMenu>();
    tray.SetPopupMenu(menu.get());
    EXPECT_FALSE(menu->clickDefaultItem());
    QAction* show = menu->addAction(QStringLiteral("Anzeigen"));
    int triggered = 0;
    QObject::connect(show, &QAction::triggered, show, [&triggered] { ++triggered; });
    menu->setDefaultAction(show);
    EXPECT_TRUE(menu->clickDefaultItem());
    show->setEnabled(false);
    EXPECT_FALSE(menu->clickDefaultItem());
    EXPECT_EQ(triggered, 1);
    menu.reset();
    EXPECT_EQ(tray.GetPopupMenu(), nullptr);
}

} // namespace
