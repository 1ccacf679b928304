#include "core/SystemPowerActions.h"

#include "core/TEinst.h"
#include "mock/RecordingPowerPlatform.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvaro {
namespace {

using test::RecordingPowerPlatform;

constexpr quint32 NtFamily = VER_PLATFORM_WIN32_NT;
constexpr quint32 OlderFamily = 1; // VER_PLATFORM_WIN32_WINDOWS

// The privilege sequence with the token and privilege id passed on from call to call.
const QStringList PrivilegeCalls{QStringLiteral("openProcessToken"),
                                 QStringLiteral("lookupPrivilegeValue(SeShutdownPrivilege)"),
                                 QStringLiteral("adjustTokenPrivileges(90,19)"), QStringLiteral("closeHandle(90)")};

struct ActionCase
{
    const char* name;
    quint8 action;
    quint32 family;
    bool force;
    QStringList expected;
};

QStringList withPrivilege(const QString& exitCall)
{
    return PrivilegeCalls + QStringList{exitCall};
}

std::string text(const QStringList& calls)
{
    return calls.join(QStringLiteral("; ")).toStdString();
}

class SystemPowerActionsTable : public ::testing::TestWithParam<ActionCase>
{};

TEST_P(SystemPowerActionsTable, MakesTheExpectedPlatformCalls)
{
    const ActionCase& c = GetParam();
    auto platform = std::make_unique<RecordingPowerPlatform>();
    platform->id = c.family;
    RecordingPowerPlatform& recorded = *platform;
    SystemPowerActions actions(std::move(platform));

    actions.RunPowerAction(c.action, c.force);

    EXPECT_EQ(text(recorded.calls), text(c.expected));
}

const auto Exit = [](int flags) {
    return QStringLiteral("exitWindowsEx(%1)").arg(flags);
};

INSTANTIATE_TEST_SUITE_P(
    FlagsAndFamilies, SystemPowerActionsTable,
    ::testing::Values(ActionCase{"ShutdownNt", AktionShutdown, NtFamily, false, withPrivilege(Exit(8))},
                      ActionCase{"ShutdownNtForced", AktionShutdown, NtFamily, true, withPrivilege(Exit(12))},
                      ActionCase{"ShutdownOlder", AktionShutdown, OlderFamily, false, {Exit(1)}},
                      ActionCase{"ShutdownOlderForced", AktionShutdown, OlderFamily, true, {Exit(5)}},
                      ActionCase{"RestartNt", AktionRestart, NtFamily, false, withPrivilege(Exit(2))},
                      ActionCase{"RestartNtForced", AktionRestart, NtFamily, true, withPrivilege(Exit(6))},
                      ActionCase{"RestartOlderForced", AktionRestart, OlderFamily, true, {Exit(6)}},
                      ActionCase{"LogoffNt", AktionLogoff, NtFamily, false, withPrivilege(Exit(0))},
                      ActionCase{"LogoffNtForced", AktionLogoff, NtFamily, true, withPrivilege(Exit(4))},
                      ActionCase{"LogoffOlder", AktionLogoff, OlderFamily, false, {Exit(0)}},
                      ActionCase{"LogoffOlderForced", AktionLogoff, OlderFamily, true, {Exit(4)}},
                      ActionCase{"StandbyNt", AktionStandby, NtFamily, false, {QStringLiteral("suspend")}},
                      ActionCase{"StandbyNtForceIgnored", AktionStandby, NtFamily, true, {QStringLiteral("suspend")}},
                      ActionCase{
                          "StandbyOlderForceIgnored", AktionStandby, OlderFamily, true, {QStringLiteral("suspend")}},
                      ActionCase{"MessageIsNoPowerAction", AktionNachricht, NtFamily, true, {}},
                      ActionCase{"UnknownCode", 5, NtFamily, true, {}},
                      ActionCase{"UnknownPlatformIdIsOlderFamily", AktionShutdown, 3, false, {Exit(1)}}),
    [](const ::testing::TestParamInfo<ActionCase>& row) { return std::string(row.param.name); });

TEST(SystemPowerActions, AsksForThePlatformFamilyAtEveryUse)
{
    auto platform = std::make_unique<RecordingPowerPlatform>();
    RecordingPowerPlatform& recorded = *platform;
    SystemPowerActions actions(std::move(platform));

    actions.RunPowerAction(AktionShutdown, false);
    recorded.id = OlderFamily;
    actions.RunPowerAction(AktionShutdown, false);
    recorded.id = NtFamily;
    actions.RunPowerAction(AktionRestart, false);

    EXPECT_EQ(text(recorded.calls), text(withPrivilege(Exit(8)) + QStringList{Exit(1)} + withPrivilege(Exit(2))));
}

TEST(SystemPowerActions, ExitWindowsPrivilegedPassesOnWhetherTheRequestWasAccepted)
{
    auto platform = std::make_unique<RecordingPowerPlatform>();
    RecordingPowerPlatform& recorded = *platform;
    SystemPowerActions actions(std::move(platform));

    EXPECT_TRUE(actions.ExitWindowsPrivileged(EWX_REBOOT));
    recorded.accept = false;
    EXPECT_FALSE(actions.ExitWindowsPrivileged(EWX_REBOOT));
    // A refused request is made with the privilege all the same, and nothing follows it.
    EXPECT_EQ(text(recorded.calls), text(withPrivilege(Exit(2)) + withPrivilege(Exit(2))));
}

} // namespace
} // namespace kelvaro
