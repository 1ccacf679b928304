// What the component sends to the notification area: the record, the tip, the icon, and when.
#include "TrayFixture.h"
#include "tray/TSimpleTimerHandler.h"
#include "tray/TrayIconImage.h"

#include <QImage>
#include <QPixmap>

#include <cstring>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

using TrayRecord = TrayFixture;

TEST_F(TrayRecord, CarriesTheFixedFieldsAndNothingElse)
{
    tray->SetIconVisible(true);
    ASSERT_EQ(shell.calls.size(), 1u);
    const NotifyIconData& data = shell.calls.back().data;
    EXPECT_EQ(data.cbSize, 488u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 2048u);
    EXPECT_NE(data.hWnd, 0u);
    EXPECT_NE(data.uID, 0u);
    EXPECT_EQ(data.hIcon, 0u) << "no icon yet";
    EXPECT_EQ(data.dwState, 0u);
    EXPECT_EQ(data.uTimeoutOrVersion, 0u);
    EXPECT_EQ(data.szInfo[0], '\0');

    // A second component shares the window but has its own id.
    TTrayIcon other(shell, timers);
    EXPECT_EQ(other.notifyIconData().hWnd, data.hWnd);
    EXPECT_NE(other.notifyIconData().uID, data.uID);
}

struct TipCase
{
    QString hint;
    bool showHint;
    QString expected;
};

class TrayTip : public TrayFixture, public ::testing::WithParamInterface<TipCase>
{};

TEST_P(TrayTip, IsCutToFitAndEndsInAZero)
{
    const TipCase& c = GetParam();
    tray->SetIconVisible(true);
    tray->SetShowHint(c.showHint);
    tray->SetHint(c.hint);
    const NotifyIconData& data = shell.calls.back().data;
    EXPECT_EQ(data.tip(), c.expected);
    EXPECT_EQ(data.szTip[127], '\0');
    // Nothing after the text's end: the rest of the field stays zero.
    for (std::size_t i = std::strlen(data.szTip); i < NotifyIconData::TipSize; ++i)
        ASSERT_EQ(data.szTip[i], '\0') << "byte " << i;
}

const QString digits200 = QStringLiteral("0123456789").repeated(20);
const QString umlauts = QString(200, QChar(0xE4));

INSTANTIATE_TEST_SUITE_P(
    Hints, TrayTip,
    ::testing::Values(TipCase{digits200, true, digits200.left(127)},
                      TipCase{QStringLiteral("Kelvaro  [00:04:59]"), true, QStringLiteral("Kelvaro  [00:04:59]")},
                      TipCase{QString(), true, QString()}, TipCase{QStringLiteral("Kelvaro"), false, QString()},
                      // Two bytes each: 63 whole characters fit, the 64th would be cut in half.
                      TipCase{umlauts, true, umlauts.left(63)}));

TEST_F(TrayRecord, SendsTheOwnedIconByHandle)
{
    tray->SetIconVisible(true);
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    const QIcon icon(QPixmap::fromImage(image));
    tray->SetIcon(icon);
    const NotifyIconData& data = shell.calls.back().data;
    EXPECT_EQ(shell.calls.back().message, NotifyIconMessage::Modify);
    ASSERT_NE(data.hIcon, 0u);
    EXPECT_EQ(TrayIconImage::fromHandle(data.hIcon).cacheKey(), icon.cacheKey());

    // A change made to the owned icon itself is sent as well.
    tray->Icon().clear();
    EXPECT_EQ(shell.calls.back().data.hIcon, 0u);
}

TEST_F(TrayRecord, VisibilityAddsAndRemovesTheIcon)
{
    tray->SetIconVisible(true);
    EXPECT_EQ(shell.shown.size(), 1u);
    tray->SetHint(QStringLiteral("a"));
    EXPECT_TRUE(shell.calls.back().accepted);
    tray->SetIconVisible(false);
    EXPECT_TRUE(shell.shown.empty());
    EXPECT_FALSE(tray->GetIconVisible());

    // A refused add leaves the flag set.
    shell.areaAvailable = false;
    tray->SetIconVisible(true);
    EXPECT_FALSE(shell.calls.back().accepted);
    EXPECT_TRUE(tray->GetIconVisible());
}

TEST_F(TrayRecord, DestructionRemovesTheIcon)
{
    tray->SetIconVisible(true);
    tray.reset();
    EXPECT_TRUE(shell.shown.empty());
}

TEST_F(TrayRecord, ComesBackAfterTheAreaRestartsOnlyWhileShown)
{
    tray->SetIconVisible(true);
    shell.restart();
    EXPECT_EQ(shell.shown.size(), 1u);
    EXPECT_EQ(shell.count(NotifyIconMessage::Add), 2);

    tray->SetIconVisible(false);
    shell.restart();
    EXPECT_TRUE(shell.shown.empty());
    EXPECT_EQ(shell.count(NotifyIconMessage::Add), 2);
}

TEST(TrayShared, HandlersLiveFromTheFirstUserToTheLast)
{
    ManualTimerService timers;
    RecordingTrayShell shell;
    EXPECT_EQ(TTrayIconHandler::referenceCount(), 0);
    EXPECT_EQ(TSimpleTimerHandler::referenceCount(timers), 0);
    auto first = std::make_unique<TTrayIcon>(shell, timers);
    const NotifyIconData stale = first->notifyIconData();
    EXPECT_EQ(TTrayIconHandler::referenceCount(), 1);
    EXPECT_EQ(TSimpleTimerHandler::referenceCount(timers), 3) << "three timers per component";
    auto second = std::make_unique<TTrayIcon>(shell, timers);
    EXPECT_EQ(TTrayIconHandler::referenceCount(), 2);
    EXPECT_EQ(TSimpleTimerHandler::referenceCount(timers), 6);
    first.reset();
    EXPECT_EQ(TTrayIconHandler::referenceCount(), 1);
    second.reset();
    EXPECT_EQ(TTrayIconHandler::referenceCount(), 0);
    EXPECT_EQ(TSimpleTimerHandler::referenceCount(timers), 0);

    // A late callback for a component that is gone reaches nothing.
    TTrayIcon third(shell, timers);
    bool clicked = false;
    third.OnClick = [&clicked](TTrayIcon*) {
        clicked = true;
    };
    TTrayIconHandler::deliver(stale.hWnd, stale.uCallbackMessage, stale.uID, TrayCode::LButtonDown);
    TTrayIconHandler::deliver(stale.hWnd, stale.uCallbackMessage, stale.uID, TrayCode::LButtonUp);
    EXPECT_FALSE(clicked);
}

} // namespace
