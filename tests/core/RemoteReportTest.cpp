#include "core/RemoteReport.h"

#include "core/TEinst.h"

#include <gtest/gtest.h>

using namespace kelvaro;

namespace {

using Run = RemoteState::Run;

constexpr qint64 kStart = 1'800'000'000'000; // a whole second

RemoteInstance instance(Run run, quint8 action, qint64 endMs, const char* message = "")
{
    return {4711, RemoteState{run, action, kStart, endMs, QString::fromUtf8(message), QStringLiteral("Tee")}};
}

struct Panel
{
    RemoteInstance shown;
    qint64 nowMs;
    const char16_t* text;
    int percentage;
    const char* className;
};

class RemotePanel : public testing::TestWithParam<Panel>
{};

TEST_P(RemotePanel, ShowsTheTimeLeftOrGoneByWithItsShareAndClass)
{
    const Panel& expected = GetParam();
    const QJsonObject panel = RemoteReport::panel(expected.shown, expected.nowMs);
    EXPECT_EQ(panel.value(QStringLiteral("text")).toString(), QString::fromUtf16(expected.text));
    EXPECT_EQ(panel.value(QStringLiteral("percentage")).toInt(), expected.percentage);
    EXPECT_EQ(panel.value(QStringLiteral("class")).toString(), QString::fromUtf8(expected.className));
}

INSTANTIATE_TEST_SUITE_P(Runs, RemotePanel,
                         testing::Values(Panel{instance(Run::Running, AktionShutdown, kStart + 100'000),
                                               kStart + 25'000, u"\u23FB 00:01:15", 25, "poweroff"},
                                         // The fraction of a second left is cut off, as in the window.
                                         Panel{instance(Run::Announced, AktionRestart, kStart + 100'000),
                                               kStart + 24'001, u"\u21BB 00:01:15", 24, "reboot"},
                                         // A run whose end has gone by (an unknown action stays expired until Stop).
                                         Panel{instance(Run::Running, AktionSperren, kStart + 100'000),
                                               kStart + 105'000, u"\U0001F512 00:00:00", 100, "lock"},
                                         Panel{instance(Run::Stopwatch, AktionNachricht, 0),
                                               kStart + 90'500 + 25 * 3'600'000, u"\u23F1 25:01:30", 0, "stopwatch"},
                                         Panel{instance(Run::Waiting, AktionHibernate, 0), kStart + 2'000,
                                               u"\u23F3 00:00:02", 0, "hibernate"}));

TEST(RemoteReport, ShowsNothingWithoutARunAndTheMessageAsPlainTextOnly)
{
    EXPECT_EQ(RemoteReport::panel(std::nullopt, kStart), QJsonObject({{QStringLiteral("text"), QString()}}));
    EXPECT_EQ(RemoteReport::panel(instance(Run::Idle, AktionShutdown, 0), kStart),
              QJsonObject({{QStringLiteral("text"), QString()}}));
    EXPECT_EQ(RemoteReport::panelLine(instance(Run::Idle, AktionShutdown, 0), kStart), QString());

    // Panels read the tooltip as markup: the user's text must not become markup there.
    const RemoteInstance message = instance(Run::Running, AktionNachricht, kStart + 60'000, "<b>Tee & Kekse</b>");
    const QString tooltip = RemoteReport::panel(message, kStart).value(QStringLiteral("tooltip")).toString();
    EXPECT_TRUE(tooltip.endsWith(QStringLiteral(": &lt;b&gt;Tee &amp; Kekse&lt;/b&gt;"))) << tooltip.toStdString();
    EXPECT_TRUE(RemoteReport::panelLine(message, kStart).endsWith(QStringLiteral(": <b>Tee & Kekse</b>")));
}

TEST(RemoteReport, PanelShowsTheRunThatEndsFirst)
{
    RemoteInstance late = instance(Run::Running, AktionShutdown, kStart + 90'000);
    RemoteInstance early = instance(Run::Announced, AktionRestart, kStart + 60'000);
    RemoteInstance stopwatch = instance(Run::Stopwatch, AktionNachricht, 0);
    late.pid = 1, early.pid = 2, stopwatch.pid = 3;
    EXPECT_EQ(RemoteReport::shownRun({stopwatch, late, early})->pid, 2);
    EXPECT_EQ(RemoteReport::shownRun({stopwatch, instance(Run::Idle, AktionShutdown, 0)})->pid, 3);
    EXPECT_FALSE(RemoteReport::shownRun({instance(Run::Idle, AktionShutdown, 0)}));
}

} // namespace
