// The power actions against a logind double (python3-dbusmock's logind template) and a GNOME
// session manager double, on the private buses the test program starts once and stops at its end.
#include "platform/LinuxPowerPlatform.h"

#include "core/SystemPowerActions.h"
#include "core/TEinst.h"
#include "mock/BusDoubles.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace kelvaro {
namespace {

using namespace test;

const QString Login1 = QStringLiteral("org.freedesktop.login1");
const QString Login1Path = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString Gnome = QStringLiteral("org.gnome.SessionManager");
const QString GnomePath = QStringLiteral("/org/gnome/SessionManager");
// The calls that ask for something; questions (Can..., List..., Get...) are left out.
const QStringList PowerRequests{QStringLiteral("PowerOff"), QStringLiteral("Reboot"), QStringLiteral("Suspend"),
                                QStringLiteral("TerminateSession"), QStringLiteral("Logout")};
class LinuxPowerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString missing = TestBuses::instance().missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << "Kein privater Bus mit dbusmock: " << qPrintable(missing);
        ASSERT_TRUE(TestBuses::instance().ensureDouble(
            TestBuses::System, {QStringLiteral("--system"), QStringLiteral("--template"), QStringLiteral("logind")},
            Login1));

        m_savedSessionId = qEnvironmentVariableIsSet("XDG_SESSION_ID")
                               ? std::optional<QByteArray>(qgetenv("XDG_SESSION_ID"))
                               : std::nullopt;
        qputenv("XDG_SESSION_ID", "c1");
        resetLogind();
    }

    void TearDown() override
    {
        if (m_savedSessionId)
            qputenv("XDG_SESSION_ID", *m_savedSessionId);
        else
            qunsetenv("XDG_SESSION_ID");
    }

    /** Back to the bare template with an empty call log. */
    static void resetLogind() { TestBuses::reset(logind(), Login1, Login1Path); }

    /** Starts the GNOME session manager double, with a Logout that accepts, and clears its log. */
    static bool startSessionManager()
    {
        if (!TestBuses::instance().ensureDouble(TestBuses::Session,
                                                {QStringLiteral("--session"), Gnome, GnomePath, Gnome}, Gnome))
            return false;
        TestBuses::reset(session(), Gnome, GnomePath);
        addMethod(session(), Gnome, GnomePath, Gnome, {QStringLiteral("Logout"), QStringLiteral("u"), {}, {}});
        return true;
    }

    static QDBusConnection logind() { return TestBuses::instance().bus(TestBuses::System)->connection(); }
    static QDBusConnection session() { return TestBuses::instance().bus(TestBuses::Session)->connection(); }
    static void addLogindMethod(const MethodOverride& method)
    {
        addMethod(logind(), Login1, Login1Path, ManagerInterface, method);
    }
    static std::string logindRequests() { return recordedCalls(logind(), Login1, Login1Path, PowerRequests); }
    static std::string sessionManagerRequests() { return recordedCalls(session(), Gnome, GnomePath, PowerRequests); }

private:
    std::optional<QByteArray> m_savedSessionId;
};

// ---- Shut down, restart and standby -------------------------------------------------------------

MethodOverride answer(const char* canMethod, const char* text)
{
    return {
        QString::fromLatin1(canMethod), {}, QStringLiteral("s"), QStringLiteral("ret = '%1'").arg(QLatin1String(text))};
}

MethodOverride failing(const char* method, const char* inSignature, const char* outSignature)
{
    return {QString::fromLatin1(method), QString::fromLatin1(inSignature), QString::fromLatin1(outSignature),
            QStringLiteral("raise dbus.exceptions.DBusException('kaputt', name='org.freedesktop.DBus.Error.Failed')")};
}

/** ListInhibitors answering `list` (Python); "{pid}" stands for this program's process id. */
MethodOverride inhibitors(const char* list)
{
    QString code = QStringLiteral("ret = ") + QLatin1String(list);
    code.replace(QStringLiteral("{pid}"), QString::number(QCoreApplication::applicationPid()));
    return {QStringLiteral("ListInhibitors"), {}, QStringLiteral("a(ssssuu)"), code};
}

// One test walks the whole table: every row against the same logind double, reset in between.
TEST_F(LinuxPowerTest, SendsLogindExactlyTheExpectedRequest)
{
    const char* const editorBlocks = "[('sleep:shutdown', 'Editor', 'Ungespeichert', 'block', 1000, 4242)]";
    const char* const ownBlock = "[('shutdown', 'Kelvaro', 'eigene', 'block', 1000, {pid})]";
    const char* const delay = "[('shutdown', 'Editor', 'Speichern', 'delay', 1000, 4242)]";
    const char* const otherLocks = "[('sleep:idle', 'Player', 'Film', 'block', 1000, 4242),"
                                   " ('handle-power-key', 'Desktop', 'Taste', 'block', 1000, 4243)]";
    struct Row
    {
        const char* name;
        quint8 action;
        bool force;
        std::optional<MethodOverride> override;
        const char* expected; // "" when nothing may be requested
    };
    // clang-format off
    const Row rows[] = {
        {"shut down powers off",               AktionShutdown, false, {},                                         "PowerOff(false)"},
        {"restart",                            AktionRestart,  false, {},                                         "Reboot(false)"},
        {"standby ignores force",              AktionStandby,  true,  {},                                         "Suspend(false)"},
        {"challenge asks interactively",       AktionRestart,  false, answer("CanReboot", "challenge"),           "Reboot(true)"},
        {"forced power off challenge",         AktionShutdown, true,  answer("CanPowerOff", "challenge"),         "PowerOff(true)"},
        {"power off refused",                  AktionShutdown, true,  answer("CanPowerOff", "no"),                ""},
        {"suspend not available",              AktionStandby,  false, answer("CanSuspend", "na"),                 ""},
        {"unanswered question still asks",     AktionRestart,  false, failing("CanReboot", "", "s"),              "Reboot(false)"},
        {"block inhibitor stops restart",      AktionRestart,  false, inhibitors(editorBlocks),                   ""},
        {"block inhibitor stops shut down",    AktionShutdown, false, inhibitors(editorBlocks),                   ""},
        {"force goes past block inhibitor",    AktionShutdown, true,  inhibitors(editorBlocks),                   "PowerOff(false)"},
        {"own inhibitor does not count",       AktionRestart,  false, inhibitors(ownBlock),                       "Reboot(false)"},
        {"delay inhibitor does not block",     AktionRestart,  false, inhibitors(delay),                          "Reboot(false)"},
        {"other inhibitors do not block",      AktionShutdown, false, inhibitors(otherLocks),                     "PowerOff(false)"},
        {"unreadable inhibitor list",          AktionShutdown, false, failing("ListInhibitors", "", "a(ssssuu)"), "PowerOff(false)"},
        {"standby ignores shutdown inhibitor", AktionStandby,  false, inhibitors(editorBlocks),                   "Suspend(false)"},
    };
    // clang-format on

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetLogind();
        if (row.override)
            addLogindMethod(*row.override);
        SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(logind(), logind()));

        actions.RunPowerAction(row.action, row.force);

        EXPECT_EQ(logindRequests(), row.expected);
    }
}

TEST_F(LinuxPowerTest, AnswersLogindsQuestionAndWhetherItAcceptedTheRequest)
{
    LinuxPowerPlatform platform(logind(), logind());
    EXPECT_EQ(platform.permission(PowerRequest::Reboot), PowerPermission::Yes);
    EXPECT_TRUE(platform.request(PowerRequest::Reboot, false, false));

    const std::pair<const char*, PowerPermission> answers[] = {{"challenge", PowerPermission::Challenge},
                                                               {"no", PowerPermission::No},
                                                               {"na", PowerPermission::NotAvailable},
                                                               {"yes", PowerPermission::Yes}};
    for (const auto& [text, expected] : answers) {
        addLogindMethod(answer("CanReboot", text));
        EXPECT_EQ(platform.permission(PowerRequest::Reboot), expected) << text;
    }

    addLogindMethod(failing("Reboot", "b", ""));
    EXPECT_FALSE(platform.request(PowerRequest::Reboot, false, false));
}

// ---- Log off ------------------------------------------------------------------------------------

TEST_F(LinuxPowerTest, LogoffGoesToTheSessionManagerWithoutConfirmation)
{
    ASSERT_TRUE(startSessionManager());
    SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(logind(), session()));

    actions.RunPowerAction(AktionLogoff, false);
    actions.RunPowerAction(AktionLogoff, true);

    EXPECT_EQ(sessionManagerRequests(), "Logout(1); Logout(2)");
    EXPECT_EQ(logindRequests(), "");
}

TEST_F(LinuxPowerTest, LogoffRefusedBySessionManagerEndsTheSessionThroughLogind)
{
    ASSERT_TRUE(startSessionManager());
    addMethod(session(), Gnome, GnomePath, Gnome, failing("Logout", "u", ""));
    qputenv("XDG_SESSION_ID", "c5");
    LinuxPowerPlatform platform(logind(), session());

    EXPECT_TRUE(platform.logOff(false));

    EXPECT_EQ(logindRequests(), "TerminateSession(c5)");
}

TEST_F(LinuxPowerTest, LogoffWithoutSessionManagerTerminatesTheSessionNamedByTheEnvironment)
{
    qputenv("XDG_SESSION_ID", "c5");
    // The system bus carries no session manager, so it serves as a session bus without one.
    SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(logind(), logind()));

    actions.RunPowerAction(AktionLogoff, true);

    EXPECT_EQ(logindRequests(), "TerminateSession(c5)");
}

TEST_F(LinuxPowerTest, LogoffWithoutSessionIdFindsTheSessionOfTheOwnProcess)
{
    qunsetenv("XDG_SESSION_ID");
    callDouble(logind(), Login1, Login1Path, QStringLiteral("AddSession"),
               {QStringLiteral("c7"), QStringLiteral("seat0"), 1000U, QStringLiteral("tester"), true});
    addLogindMethod({QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                     QStringLiteral("ret = dbus.ObjectPath('/org/freedesktop/login1/session/c7') "
                                    "if args[0] == %1 else None")
                         .arg(QCoreApplication::applicationPid())});
    LinuxPowerPlatform platform(logind(), logind());

    EXPECT_TRUE(platform.logOff(false));

    EXPECT_EQ(logindRequests(), "TerminateSession(c7)");
}

TEST_F(LinuxPowerTest, LogoffWithoutAnyKnownSessionRequestsNothing)
{
    qunsetenv("XDG_SESSION_ID"); // and the template knows no GetSessionByPID
    LinuxPowerPlatform platform(logind(), logind());

    EXPECT_FALSE(platform.logOff(true));

    EXPECT_EQ(logindRequests(), "");
}

// ---- No bus -------------------------------------------------------------------------------------

TEST(LinuxPowerPlatformWithoutBus, RequestsNothingAndFailsQuietly)
{
    QTemporaryDir dir;
    const QString nowhere = QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("no-bus"));
    const QString name = QStringLiteral("kelvaro-test-no-bus");
    {
        const QDBusConnection none = QDBusConnection::connectToBus(nowhere, name);
        ASSERT_FALSE(none.isConnected());
        LinuxPowerPlatform platform(none, none);
        SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(none, none));

        for (const PowerRequest request : {PowerRequest::PowerOff, PowerRequest::Reboot, PowerRequest::Suspend}) {
            EXPECT_EQ(platform.permission(request), PowerPermission::Yes);
            EXPECT_FALSE(platform.request(request, true, false));
        }
        EXPECT_FALSE(platform.logOff(true));
        for (const quint8 action : {AktionShutdown, AktionRestart, AktionLogoff, AktionStandby})
            EXPECT_NO_THROW(actions.RunPowerAction(action, false));
    }
    QDBusConnection::disconnectFromBus(name);
}

} // namespace
} // namespace kelvaro
