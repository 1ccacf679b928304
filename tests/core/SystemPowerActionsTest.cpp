#include "core/SystemPowerActions.h"

#include "core/TEinst.h"
#include "mock/RecordingPowerPlatform.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvaro {
namespace {

using test::RecordingPowerPlatform;

struct ActionCase
{
    const char* name;
    quint8 action;
    bool force;
    PowerPermission answer;
    const char* expected; // the platform calls, separated by "; "
};

class SystemPowerActionsTable : public ::testing::TestWithParam<ActionCase>
{};

TEST_P(SystemPowerActionsTable, MakesTheExpectedPlatformCalls)
{
    const ActionCase& c = GetParam();
    auto platform = std::make_unique<RecordingPowerPlatform>();
    platform->answer = c.answer;
    RecordingPowerPlatform& recorded = *platform;
    SystemPowerActions actions(std::move(platform));

    actions.RunPowerAction(c.action, c.force);

    EXPECT_EQ(recorded.calls.join(QStringLiteral("; ")).toStdString(), c.expected);
}

constexpr auto Yes = PowerPermission::Yes;
constexpr auto Challenge = PowerPermission::Challenge;
constexpr auto No = PowerPermission::No;
constexpr auto NotAvailable = PowerPermission::NotAvailable;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Actions, SystemPowerActionsTable,
    ::testing::Values(
        ActionCase{"Shutdown",               AktionShutdown,  false, Yes,          "permission(PowerOff); request(PowerOff)"},
        ActionCase{"ShutdownForced",         AktionShutdown,  true,  Yes,          "permission(PowerOff); request(PowerOff,force)"},
        ActionCase{"ShutdownChallenge",      AktionShutdown,  true,  Challenge,    "permission(PowerOff); request(PowerOff,force,interactive)"},
        ActionCase{"ShutdownRefused",        AktionShutdown,  true,  No,           "permission(PowerOff)"},
        ActionCase{"Restart",                AktionRestart,   false, Yes,          "permission(Reboot); request(Reboot)"},
        ActionCase{"RestartForced",          AktionRestart,   true,  Yes,          "permission(Reboot); request(Reboot,force)"},
        ActionCase{"RestartChallenge",       AktionRestart,   false, Challenge,    "permission(Reboot); request(Reboot,interactive)"},
        ActionCase{"RestartNotAvailable",    AktionRestart,   false, NotAvailable, "permission(Reboot)"},
        ActionCase{"Logoff",                 AktionLogoff,    false, Yes,          "request(LogOff)"},
        ActionCase{"LogoffForced",           AktionLogoff,    true,  No,           "request(LogOff,force)"},
        ActionCase{"Standby",                AktionStandby,   false, Yes,          "permission(Suspend); request(Suspend)"},
        ActionCase{"StandbyForced",          AktionStandby,   true,  Yes,          "permission(Suspend); request(Suspend,force)"},
        ActionCase{"StandbyChallenge",       AktionStandby,   false, Challenge,    "permission(Suspend); request(Suspend,interactive)"},
        ActionCase{"StandbyRefused",         AktionStandby,   false, No,           "permission(Suspend)"},
        ActionCase{"Hibernate",              AktionHibernate, false, Yes,          "permission(Hibernate); request(Hibernate)"},
        ActionCase{"HibernateChallenge",     AktionHibernate, false, Challenge,    "permission(Hibernate); request(Hibernate,interactive)"},
        ActionCase{"HibernateNotAvailable",  AktionHibernate, false, NotAvailable, "permission(Hibernate)"},
        ActionCase{"LockAsksNoPermission",   AktionSperren,   true,  No,           "request(Lock)"},
        ActionCase{"MessageIsNoPowerAction", AktionNachricht, true,  Yes,          ""},
        ActionCase{"UnknownCode",            7,               true,  Yes,          ""}),
    [](const ::testing::TestParamInfo<ActionCase>& row) { return std::string(row.param.name); });
// clang-format on

} // namespace
} // namespace kelvaro
