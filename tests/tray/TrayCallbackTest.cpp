// How the component turns the notification area's callbacks into events, clicks, menus and cycles.
#include "TrayFixture.h"
#include "mock/FakeImageList.h"
#include "mock/FakePopupMenu.h"
#include "tray/TrayIconImage.h"

using namespace kelvaro;
using namespace kelvaro::test;
using Log = std::vector<std::string>;

namespace {

struct DispatchCase
{
    quint32 code;
    Log events;
    bool gated; // nothing happens while Enabled is off
};

class TrayDispatch : public TrayFixture, public ::testing::WithParamInterface<DispatchCase>
{
protected:
    void SetUp() override
    {
        TrayFixture::SetUp();
        handleDoubleClicks();
        tray->OnBalloonHintShow = [this](TTrayIcon*) {
            log.push_back("balloon show");
        };
        tray->OnBalloonHintHide = [this](TTrayIcon*) {
            log.push_back("balloon hide");
        };
        tray->OnBalloonHintTimeout = [this](TTrayIcon*) {
            log.push_back("balloon timeout");
        };
        tray->OnBalloonHintClick = [this](TTrayIcon*) {
            log.push_back("balloon click");
        };
    }
};

TEST_P(TrayDispatch, RaisesTheEventOfTheCode)
{
    send(GetParam().code);
    EXPECT_EQ(log, GetParam().events);
}

TEST_P(TrayDispatch, DisabledIgnoresMouseCodesOnly)
{
    tray->SetEnabled(false);
    send(GetParam().code);
    EXPECT_EQ(log, GetParam().gated ? Log{} : GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TrayDispatch,
    ::testing::Values(DispatchCase{512, {"move 100,200"}, true}, DispatchCase{513, {"down left 100,200"}, true},
                      DispatchCase{514, {"up left"}, true}, DispatchCase{515, {"dblclick"}, true},
                      DispatchCase{516, {"down right 100,200"}, true}, DispatchCase{517, {"up right"}, true},
                      DispatchCase{519, {"down middle 100,200"}, true}, DispatchCase{520, {"up middle"}, true},
                      DispatchCase{1026, {"balloon show"}, false}, DispatchCase{1027, {"balloon hide"}, false},
                      DispatchCase{1028, {"balloon timeout"}, false}, DispatchCase{1029, {"balloon click"}, false},
                      DispatchCase{518, {}, false}, DispatchCase{521, {}, false}, DispatchCase{0, {}, false},
                      DispatchCase{1030, {}, false}));

using TrayMouse = TrayFixture;

TEST_F(TrayMouse, ReportsHeldKeysWithTheButton)
{
    shell.keys = TShiftFlag::Shift | TShiftFlag::Ctrl;
    shell.cursor = QPoint(5, 7);
    send(TrayCode::RButtonDown);
    EXPECT_EQ(log.back(), "down right 5,7");
    EXPECT_EQ(lastShift, TShiftFlag::Shift | TShiftFlag::Ctrl | TShiftFlag::Right);
    send(TrayCode::MouseMove);
    EXPECT_EQ(lastShift, TShiftFlag::Shift | TShiftFlag::Ctrl);
}

TEST_F(TrayMouse, WithoutDoubleClickHandlerClicksAtReleaseBeforeMouseUp)
{
    send(TrayCode::LButtonDown);
    send(TrayCode::LButtonUp);
    EXPECT_EQ(log, (Log{"down left 100,200", "click", "up left"}));
    // A release without a press is no click.
    send(TrayCode::LButtonUp);
    EXPECT_EQ(log.back(), "up left");
    EXPECT_EQ(std::count(log.begin(), log.end(), "click"), 1);
}

TEST_F(TrayMouse, WithDoubleClickHandlerClicksOneDoubleClickTimeAfterThePress)
{
    handleDoubleClicks();
    shell.dblClickTime = 400;
    send(TrayCode::LButtonDown);
    timers.advance(100);
    send(TrayCode::LButtonUp);
    EXPECT_EQ(log, (Log{"down left 100,200", "up left"}));
    timers.advance(299);
    EXPECT_EQ(log.size(), 2u);
    timers.advance(1);
    EXPECT_EQ(log.back(), "click");
    timers.advance(2000);
    EXPECT_EQ(std::count(log.begin(), log.end(), "click"), 1) << "the delay timer stops itself";
}

class TrayDoubleClick : public TrayFixture, public ::testing::WithParamInterface<std::vector<quint32>>
{};

TEST_P(TrayDoubleClick, SwallowsTheWaitingClick)
{
    handleDoubleClicks();
    for (const quint32 code : GetParam())
        send(code);
    timers.advance(1000);
    EXPECT_EQ(std::count(log.begin(), log.end(), "click"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "dblclick"), 1);

    // The next single click is a click again.
    send(TrayCode::LButtonDown);
    send(TrayCode::LButtonUp);
    timers.advance(500);
    EXPECT_EQ(log.back(), "click");
}

INSTANTIATE_TEST_SUITE_P(Sequences, TrayDoubleClick,
                         ::testing::Values(std::vector<quint32>{513, 514, 515, 514},
                                           // Some areas report the second press of a double click as well.
                                           std::vector<quint32>{513, 514, 515, 513, 514}));

TEST_F(TrayMouse, EnterOnceAndExitWhenThePointerMovedAway)
{
    tray->SetWantEnterExitEvents(true);
    send(TrayCode::MouseMove);
    send(TrayCode::MouseMove);
    EXPECT_EQ(log, (Log{"enter", "move 100,200", "move 100,200"}));
    timers.advance(100);
    EXPECT_EQ(log.size(), 3u) << "the pointer stays on the icon";
    shell.cursor = QPoint(101, 200);
    timers.advance(TTrayIcon::LeaveCheckInterval);
    EXPECT_EQ(log.back(), "exit");
    timers.advance(100);
    EXPECT_EQ(std::count(log.begin(), log.end(), "exit"), 1);
    send(TrayCode::MouseMove);
    EXPECT_EQ(log.at(log.size() - 2), "enter");
}

TEST_F(TrayMouse, NoEnterOrExitUnlessWanted)
{
    send(TrayCode::MouseMove);
    shell.cursor = QPoint(0, 0);
    timers.advance(100);
    EXPECT_EQ(log, Log{"move 100,200"});
    EXPECT_EQ(timers.runningCount(), 0u);
}

TEST_F(TrayMouse, RightButtonOpensTheMenuAtTheCursor)
{
    FakePopupMenu menu(&log);
    tray->SetPopupMenu(&menu);
    send(TrayCode::RButtonDown);
    EXPECT_EQ(log, (Log{"down right 100,200", "foreground", "foreground", "popup 100,200"}));
    EXPECT_EQ(menu.component, tray.get());
    log.clear();
    send(TrayCode::RButtonUp);
    EXPECT_EQ(log, Log{"up right"});

    // The left button opens it only with LeftPopup; no menu opens by itself without autoPopup.
    log.clear();
    send(TrayCode::LButtonDown);
    tray->SetLeftPopup(true);
    send(TrayCode::LButtonDown);
    menu.automatic = false;
    send(TrayCode::RButtonDown);
    EXPECT_EQ(std::count(log.begin(), log.end(), "popup 100,200"), 1);
    EXPECT_EQ(log.back(), "down right 100,200");
}

TEST_F(TrayMouse, PopupNeedsAMenuAndACursor)
{
    tray->ShowPopupAt(1, 2);
    EXPECT_TRUE(log.empty());
    FakePopupMenu menu(&log);
    tray->SetPopupMenu(&menu);
    shell.cursor.reset();
    tray->ShowPopupAtCursor();
    EXPECT_TRUE(log.empty());
    tray->ShowPopupAt(1, 2);
    EXPECT_EQ(log.back(), "popup 1,2");
}

TEST_F(TrayMouse, DoubleClickClicksTheDefaultItem)
{
    FakePopupMenu menu(&log);
    menu.hasDefaultItem = true;
    tray->SetPopupMenu(&menu);
    send(TrayCode::LButtonDblClk);
    EXPECT_EQ(log, Log{"default item"});
    // Not when the left button opens the menu, nor when the menu does not open by itself.
    tray->SetLeftPopup(true);
    send(TrayCode::LButtonDblClk);
    tray->SetLeftPopup(false);
    menu.automatic = false;
    send(TrayCode::LButtonDblClk);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(TrayMouse, ForgetsMenuAndImageListThatGoAway)
{
    {
        FakePopupMenu menu(&log);
        FakeImageList list(3);
        tray->SetPopupMenu(&menu);
        tray->SetIconList(&list);
        tray->SetIconIndex(2);
    }
    EXPECT_EQ(tray->GetPopupMenu(), nullptr);
    EXPECT_EQ(tray->GetIconList(), nullptr);
    EXPECT_EQ(tray->GetIconIndex(), 0);
    send(TrayCode::RButtonDown);
    EXPECT_EQ(log, Log{"down right 100,200"});
}

using TrayCycle = TrayFixture;

TEST_F(TrayCycle, StepsThroughTheImagesAndReportsTheNextIndex)
{
    FakeImageList list(3);
    std::vector<int> next;
    tray->OnCycle = [&next](TTrayIcon*, int index) {
        next.push_back(index);
    };
    tray->SetIconVisible(true);
    tray->SetIconList(&list);
    tray->SetCycleInterval(100);
    tray->SetCycleIcons(true);

    // What the notification area shows, read back from the last record.
    const auto shownIndex = [&] {
        return list.indexOf(TrayIconImage::fromHandle(shell.calls.back().data.hIcon));
    };
    std::vector<int> shown{shownIndex()};
    for (int tick = 0; tick < 4; ++tick) {
        timers.advance(100);
        shown.push_back(shownIndex());
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));

    tray->SetCycleIcons(false);
    timers.advance(1000);
    EXPECT_EQ(next.size(), 4u);
}

TEST_F(TrayCycle, ZeroIntervalNeverTicks)
{
    FakeImageList list(3);
    tray->SetIconList(&list);
    tray->SetCycleIcons(true);
    EXPECT_EQ(timers.runningCount(), 0u);
    tray->SetCycleInterval(50);
    EXPECT_EQ(timers.runningCount(), 1u) << "a new interval re-applies cycling";
}

TEST_F(TrayCycle, IconIndexStaysWithinTheList)
{
    tray->SetIconIndex(2);
    EXPECT_EQ(tray->GetIconIndex(), 0) << "without a list";
    FakeImageList list(3);
    tray->SetIconList(&list);
    tray->SetIconIndex(7);
    EXPECT_EQ(tray->GetIconIndex(), 2);
    EXPECT_EQ(list.indexOf(tray->Icon().icon()), 2);
    tray->SetIconIndex(-3);
    EXPECT_EQ(tray->GetIconIndex(), 0);

    // An empty list has nothing to show, also when cycling.
    FakeImageList empty(0);
    tray->SetIconList(&empty);
    tray->SetIconIndex(1);
    tray->SetCycleInterval(10);
    tray->SetCycleIcons(true);
    timers.advance(30);
    EXPECT_EQ(tray->GetIconIndex(), 0);
}

} // namespace
