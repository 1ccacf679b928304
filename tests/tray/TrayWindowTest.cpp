// Moving the application into the tray and back, and the start-up of the component.
#include "TrayFixture.h"

using namespace kelvaro;
using namespace kelvaro::test;
using Log = std::vector<std::string>;

namespace {

class TrayWindow : public TrayFixture
{
protected:
    void SetUp() override
    {
        TrayFixture::SetUp();
        // As the program's main window uses it: a click brings the window back and removes the icon.
        tray->SetMinimizeToTray(true);
        tray->OnClick = [](TTrayIcon* sender) {
            sender->RestoreMainWindow();
            sender->SetIconVisible(false);
        };
    }
};

TEST_F(TrayWindow, MinimisingSendsTheApplicationToTheTrayAndAClickBringsItBack)
{
    owner.mainMinimized = true;
    tray->applicationMinimized();
    EXPECT_FALSE(owner.mainVisible);
    EXPECT_FALSE(owner.buttonVisible);
    EXPECT_EQ(shell.shown.size(), 1u);

    owner.calls.clear();
    send(TrayCode::LButtonDown);
    send(TrayCode::LButtonUp);
    EXPECT_EQ(owner.calls, (Log{"restore application", "normal", "show", "activate application"}));
    EXPECT_TRUE(owner.mainVisible);
    EXPECT_TRUE(owner.buttonVisible);
    EXPECT_TRUE(shell.shown.empty());
    EXPECT_FALSE(tray->GetIconVisible());
}

TEST_F(TrayWindow, WithoutNotificationAreaTheWindowStaysInTheTaskBar)
{
    shell.areaAvailable = false;
    tray->applicationMinimized();
    EXPECT_TRUE(owner.mainVisible);
    EXPECT_TRUE(owner.buttonVisible);
    EXPECT_FALSE(tray->GetIconVisible());

    bool raised = false;
    tray->OnMinimizeToTray = [&raised](TTrayIcon*) {
        raised = true;
    };
    EXPECT_FALSE(tray->TryMinimizeToTray()) << "the window minimises as usual";
    EXPECT_FALSE(raised);
}

TEST_F(TrayWindow, OwnerMinimiseIsTakenOverOnlyWithAHandler)
{
    EXPECT_FALSE(tray->TryMinimizeToTray());
    EXPECT_TRUE(owner.mainVisible);

    bool raised = false;
    tray->OnMinimizeToTray = [&raised](TTrayIcon*) {
        raised = true;
    };
    EXPECT_TRUE(tray->TryMinimizeToTray());
    EXPECT_TRUE(raised);
    EXPECT_FALSE(owner.mainVisible);
    EXPECT_TRUE(tray->GetIconVisible());

    tray->SetMinimizeToTray(false);
    EXPECT_FALSE(tray->TryMinimizeToTray());
}

TEST_F(TrayWindow, WithoutOwnerTheWindowOperationsDoNothing)
{
    TTrayIcon ownerless(shell, timers);
    ownerless.SetMinimizeToTray(true);
    ownerless.applicationMinimized();
    ownerless.RestoreMainWindow();
    ownerless.Loaded();
    EXPECT_TRUE(owner.calls.empty());
    EXPECT_TRUE(ownerless.GetIconVisible()) << "the icon is shown all the same";
}

TEST_F(TrayWindow, StartupAsksWhetherToShowTheMainWindowThenAppliesTheProperties)
{
    tray->OnStartup = [](TTrayIcon*, bool& showMainForm) {
        showMainForm = false;
    };
    tray->SetIconVisible(true);
    shell.shown.clear(); // as if the first add had been lost
    tray->SetWantEnterExitEvents(true);
    tray->Loaded();
    EXPECT_FALSE(owner.showMainForm);
    EXPECT_FALSE(owner.mainVisible);
    EXPECT_EQ(shell.shown.size(), 1u);
    EXPECT_EQ(timers.runningCount(), 1u) << "leave detection";
}

} // namespace
