// The power actions against a logind double (python3-dbusmock's logind template) and doubles of
// the desktops' session managers, on the private buses the test program starts once and stops at its end.
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

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace kelvaro {
namespace {

using namespace test;

const QString Login1 = QStringLiteral("org.freedesktop.login1");
const QString Login1Path = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
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

        for (const char* name : SessionVariables)
            m_saved[name] = qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt;
        qputenv("XDG_SESSION_ID", "c1");
        qunsetenv("XDG_CURRENT_DESKTOP");
        resetLogind();
    }

    void TearDown() override
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }

    /** Back to the bare template with an empty call log. */
    static void resetLogind() { TestBuses::reset(logind(), Login1, Login1Path); }

    static QDBusConnection logind() { return TestBuses::instance().bus(TestBuses::System)->connection(); }
    static QDBusConnection session() { return TestBuses::instance().bus(TestBuses::Session)->connection(); }
    static void addLogindMethod(const MethodOverride& method)
    {
        addMethod(logind(), Login1, Login1Path, ManagerInterface, method);
    }
    static std::string logindRequests() { return recordedCalls(logind(), Login1, Login1Path, PowerRequests); }

private:
    static constexpr const char* SessionVariables[] = {"XDG_SESSION_ID", "XDG_CURRENT_DESKTOP"};
    std::map<const char*, std::optional<QByteArray>> m_saved;
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

/** A desktop's session manager as a double: its bus name, object, interface and log-off method. */
struct SessionManagerDouble
{
    const char* service;
    const char* path;
    const char* interface;
    MethodOverride logout;
};

MethodOverride accepting(const char* method, const char* inSignature)
{
    return {QString::fromLatin1(method), QString::fromLatin1(inSignature), {}, {}};
}

const SessionManagerDouble Gnome{"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
                                 accepting("Logout", "u")};
const SessionManagerDouble Plasma6{"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", accepting("logout", "")};
const SessionManagerDouble Plasma5{"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface",
                                   accepting("logout", "iii")};
const SessionManagerDouble Xfce{"org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager",
                                accepting("Logout", "bb")};
const SessionManagerDouble RefusingGnome{Gnome.service, Gnome.path, Gnome.interface, failing("Logout", "u", "")};

// Each row logs off twice, without and with force, with one desktop's session manager on the bus.
TEST_F(LinuxPowerTest, LogoffAsksTheSessionManagerOfTheDesktopElseEndsTheSession)
{
    struct Row
    {
        const char* desktop; // XDG_CURRENT_DESKTOP
        SessionManagerDouble manager;
        const char* expectedManager;
        const char* expectedLogind;
    };
    // clang-format off
    const Row rows[] = {
        {"ubuntu:GNOME", Gnome,         "Logout(1); Logout(2)",                   ""},
        {"KDE",          Plasma6,       "logout(); logout()",                     ""},
        {"KDE",          Plasma5,       "logout(0,0,0); logout(0,0,0)",           ""},
        {"XFCE",         Xfce,          "Logout(false,true); Logout(false,true)", ""},
        {"GNOME",        RefusingGnome, "Logout(1); Logout(2)",                   "TerminateSession(c5); TerminateSession(c5)"},
        {"LXQt",         Gnome,         "",                                       "TerminateSession(c5); TerminateSession(c5)"},
        {"",             Xfce,          "",                                       "TerminateSession(c5); TerminateSession(c5)"},
    };
    // clang-format on
    qputenv("XDG_SESSION_ID", "c5");
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.desktop) + " with " + row.manager.service);
        const QString service = QString::fromLatin1(row.manager.service);
        const QString path = QString::fromLatin1(row.manager.path);
        ASSERT_TRUE(TestBuses::instance().ensureDouble(
            TestBuses::Session,
            {QStringLiteral("--session"), service, path, QString::fromLatin1(row.manager.interface)}, service));
        TestBuses::reset(session(), service, path);
        addMethod(session(), service, path, QString::fromLatin1(row.manager.interface), row.manager.logout);
        resetLogind();
        qputenv("XDG_CURRENT_DESKTOP", row.desktop);
        SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(logind(), session()));

        actions.RunPowerAction(AktionLogoff, false);
        actions.RunPowerAction(AktionLogoff, true);

        EXPECT_EQ(recordedCalls(session(), service, path, {row.manager.logout.name}), row.expectedManager);
        EXPECT_EQ(logindRequests(), row.expectedLogind);
        // The next row's desktop must not find this one's session manager.
        TestBuses::instance().stopDouble(TestBuses::Session, service);
    }
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
