// Moving the main window into the tray and back.
#include "TrayFixture.h"

#include <QApplication>
#include <QTest>

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
        tray->OnClick = [this](TTrayIcon* sender) {
            log.push_back("click");
            sender->RestoreMainWindow();
            sender->SetIconVisible(false);
        };
    }

    void minimise()
    {
        window.showMinimized();
        tray->applicationMinimized();
    }
};

TEST_F(TrayWindow, MinimisingSendsTheWindowToTheTrayAndAClickBringsItBack)
{
    minimise();
    EXPECT_FALSE(window.isVisible()) << "the window and its task bar button are hidden";
    EXPECT_TRUE(shell.shown);
    EXPECT_TRUE(tray->GetIconVisible());

    shell.click();
    EXPECT_EQ(log, Log{"click"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_FALSE(shell.shown);
    EXPECT_FALSE(tray->GetIconVisible());
}

TEST_F(TrayWindow, RestoreBringsTheWindowToTheFront)
{
    QWidget other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other, 1000));
    tray->RestoreMainWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window, 1000));
}

// Without a notification area, or without "minimise to tray".
TEST_F(TrayWindow, WithoutTheAreaOrTheOptionTheWindowStaysInTheTaskBar)
{
    for (const bool areaAvailable : {false, true}) {
        SCOPED_TRACE(areaAvailable ? "without the option" : "without the area");
        shell.areaAvailable = areaAvailable;
        tray->SetMinimizeToTray(areaAvailable ? false : true);
        minimise();
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(window.isMinimized());
        EXPECT_FALSE(tray->GetIconVisible());
        window.showNormal();
    }
}

TEST_F(TrayWindow, WithoutOwnerTheWindowOperationsDoNothing)
{
    TTrayIcon ownerless(shell);
    ownerless.SetMinimizeToTray(true);
    ownerless.applicationMinimized();
    ownerless.RestoreMainWindow();
    ownerless.HideMainWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(ownerless.GetIconVisible()) << "the icon is shown all the same";
}

} // namespace
