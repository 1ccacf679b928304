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
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace kelvaro {
namespace {

using namespace test;

const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
// The calls that ask for something; questions (Can..., List..., Get...) are left out.
const QStringList PowerRequests{QStringLiteral("PowerOff"),         QStringLiteral("Reboot"),
                                QStringLiteral("Suspend"),          QStringLiteral("Hibernate"),
                                QStringLiteral("TerminateSession"), QStringLiteral("LockSession"),
                                QStringLiteral("Logout"),           QStringLiteral("PowerOffWithFlags"),
                                QStringLiteral("RebootWithFlags"),  QStringLiteral("SuspendWithFlags")};

/** The kind of a failure as its name, "" for a success. */
std::string kindOf(const PowerOutcome& outcome)
{
    if (!outcome)
        return "";
    static const char* const names[] = {"NotAllowed",  "NeedsPassword", "Inhibited",      "NotAvailable", "NoSession",
                                        "Unreachable", "NoAnswer",      "SessionRefused", "Error"};
    return names[static_cast<int>(outcome->kind)];
}

/** Waits on the event loop for an answer that comes through a callback. */
template <typename Answer>
Answer await(const std::function<void(std::function<void(const Answer&)>)>& ask)
{
    std::optional<Answer> answer;
    ask([&answer](const Answer& given) { answer = given; });
    EXPECT_TRUE(QTest::qWaitFor([&answer] { return answer.has_value(); }, 20000));
    return answer.value_or(Answer{});
}

PowerOutcome carryOut(PowerActions& actions, quint8 action, bool force)
{
    return await<PowerOutcome>([&](auto done) { actions.RunPowerAction(action, force, done); });
}
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

MethodOverride failing(const char* method, const char* inSignature, const char* outSignature,
                       const char* error = "Failed", const char* condition = "True")
{
    return {QString::fromLatin1(method), QString::fromLatin1(inSignature), QString::fromLatin1(outSignature),
            QStringLiteral("if %2: raise dbus.exceptions.DBusException('kaputt', name='org.freedesktop.DBus.Error.%1')")
                .arg(QLatin1String(error), QLatin1String(condition))};
}

/** ListInhibitors answering `list` (Python); "{pid}" stands for this program's process id. */
MethodOverride inhibitors(const char* list)
{
    QString code = QStringLiteral("ret = ") + QLatin1String(list);
    code.replace(QStringLiteral("{pid}"), QString::number(QCoreApplication::applicationPid()));
    return {QStringLiteral("ListInhibitors"), {}, QStringLiteral("a(ssssuu)"), code};
}

// One test walks the whole table: every row against the same logind double, reset in between.
TEST_F(LinuxPowerTest, SendsLogindExactlyTheExpectedRequestAndReportsWhy)
{
    const char* const editorBlocks = "[('sleep:shutdown', 'Editor', 'Ungespeichert', 'block', 1000, 4242)]";
    const char* const shutdownOnly = "[('shutdown', 'Editor', 'Ungespeichert', 'block', 1000, 4242)]";
    const char* const ownBlock = "[('shutdown', 'Kelvaro', 'eigene', 'block', 1000, {pid})]";
    const char* const delay = "[('shutdown', 'Editor', 'Speichern', 'delay', 1000, 4242)]";
    const char* const otherLocks = "[('sleep:idle', 'Player', 'Film', 'block', 1000, 4242),"
                                   " ('handle-power-key', 'Desktop', 'Taste', 'block', 1000, 4243)]";
    const MethodOverride powerOffWithFlags{QStringLiteral("PowerOffWithFlags"), QStringLiteral("t"), {}, {}};
    const MethodOverride rebootWithFlags{QStringLiteral("RebootWithFlags"), QStringLiteral("t"), {}, {}};
    struct Row
    {
        const char* name;
        quint8 action;
        bool force;
        std::optional<MethodOverride> override;
        const char* expected; // "" when nothing may be requested
        const char* failure;  // the kind of failure reported, "" for none
    };
    // clang-format off
    const Row rows[] = {
        {"shut down powers off",               AktionShutdown, false, {},                                         "PowerOff(false)", ""},
        {"restart",                            AktionRestart,  false, {},                                         "Reboot(false)", ""},
        {"forced standby without flags",       AktionStandby,  true,  {},                                         "Suspend(false)", ""},
        {"challenge asks interactively",       AktionRestart,  false, answer("CanReboot", "challenge"),           "Reboot(true)", ""},
        {"forced power off challenge",         AktionShutdown, true,  answer("CanPowerOff", "challenge"),         "PowerOff(true)", ""},
        {"power off refused",                  AktionShutdown, true,  answer("CanPowerOff", "no"),                "", "NotAllowed"},
        {"suspend not available",              AktionStandby,  false, answer("CanSuspend", "na"),                 "", "NotAvailable"},
        {"unanswered question still asks",     AktionRestart,  false, failing("CanReboot", "", "s"),              "Reboot(false)", ""},
        {"block inhibitor stops restart",      AktionRestart,  false, inhibitors(editorBlocks),                   "", "Inhibited"},
        {"block inhibitor stops shut down",    AktionShutdown, false, inhibitors(editorBlocks),                   "", "Inhibited"},
        {"force goes past block inhibitor",    AktionShutdown, true,  inhibitors(editorBlocks),                   "PowerOff(false)", ""},
        {"forced power off with flags",        AktionShutdown, true,  powerOffWithFlags,                          "PowerOffWithFlags(16)", ""},
        {"forced restart with flags",          AktionRestart,  true,  rebootWithFlags,                            "RebootWithFlags(16)", ""},
        {"own inhibitor does not count",       AktionRestart,  false, inhibitors(ownBlock),                       "Reboot(false)", ""},
        {"delay inhibitor does not block",     AktionRestart,  false, inhibitors(delay),                          "Reboot(false)", ""},
        {"other inhibitors do not block",      AktionShutdown, false, inhibitors(otherLocks),                     "PowerOff(false)", ""},
        {"unreadable inhibitor list",          AktionShutdown, false, failing("ListInhibitors", "", "a(ssssuu)"), "PowerOff(false)", ""},
        {"sleep inhibitor stops standby",      AktionStandby,  false, inhibitors(editorBlocks),                   "", "Inhibited"},
        {"standby ignores shutdown inhibitor", AktionStandby,  false, inhibitors(shutdownOnly),                   "Suspend(false)", ""},
        {"forced hibernate without flags",     AktionHibernate, true, {},                                         "Hibernate(false)", ""},
        {"hibernate challenge",                AktionHibernate, false, answer("CanHibernate", "challenge"),       "Hibernate(true)", ""},
        {"hibernate not available",            AktionHibernate, false, answer("CanHibernate", "na"),              "", "NotAvailable"},
        {"hibernate refused",                  AktionHibernate, false, answer("CanHibernate", "no"),              "", "NotAllowed"},
        {"access denied",                      AktionShutdown, false, failing("PowerOff", "b", "", "AccessDenied"), "PowerOff(false)", "NotAllowed"},
        {"password asked for the second time", AktionShutdown, false, failing("PowerOff", "b", "", "InteractiveAuthorizationRequired", "not args[0]"),
                                                                                                                  "PowerOff(false); PowerOff(true)", ""},
        {"no authentication agent",            AktionRestart,  false, failing("Reboot", "b", "", "InteractiveAuthorizationRequired"),
                                                                                                                  "Reboot(false); Reboot(true)", "NeedsPassword"},
        {"logind fails",                       AktionStandby,  false, failing("Suspend", "b", ""),                "Suspend(false)", "Error"},
        {"lock asks no question",              AktionSperren,  true,  answer("CanPowerOff", "no"),                "LockSession(c1)", ""},
        {"lock refused",                       AktionSperren,  false, failing("LockSession", "s", "", "AccessDenied"), "LockSession(c1)", "NotAllowed"},
    };
    // clang-format on

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        resetLogind();
        if (row.override)
            addLogindMethod(*row.override);
        SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(logind(), logind()));

        const PowerOutcome outcome = carryOut(actions, row.action, row.force);

        EXPECT_EQ(logindRequests(), row.expected);
        EXPECT_EQ(kindOf(outcome), row.failure);
    }
}

TEST_F(LinuxPowerTest, AnswersLogindsQuestionAndNamesTheBlockingProgram)
{
    LinuxPowerPlatform platform(logind(), logind());
    const std::pair<const char*, PowerPermission> answers[] = {{"challenge", PowerPermission::Challenge},
                                                               {"no", PowerPermission::No},
                                                               {"na", PowerPermission::NotAvailable},
                                                               {"yes", PowerPermission::Yes}};
    for (const auto& [text, expected] : answers) {
        addLogindMethod(answer("CanHibernate", text));
        EXPECT_EQ(platform.permission(PowerRequest::Hibernate, 1000), expected) << text;
        EXPECT_EQ(await<PowerPermission>([&](auto done) { platform.askPermission(PowerRequest::Hibernate, done); }),
                  expected)
            << text;
    }

    addLogindMethod(inhibitors("[('sleep', 'Firefox', 'Download', 'block', 1000, 4242)]"));
    const auto blocker = [&platform](PowerRequest request) {
        return await<std::optional<PowerInhibitor>>([&](auto done) { platform.findInhibitor(request, done); });
    };
    EXPECT_EQ(blocker(PowerRequest::Suspend), (PowerInhibitor{QStringLiteral("Firefox"), QStringLiteral("Download")}));
    EXPECT_EQ(blocker(PowerRequest::PowerOff), std::nullopt);
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

        EXPECT_EQ(kindOf(carryOut(actions, AktionLogoff, false)), "");
        EXPECT_EQ(kindOf(carryOut(actions, AktionLogoff, true)), "");

        EXPECT_EQ(recordedCalls(session(), service, path, {row.manager.logout.name}), row.expectedManager);
        EXPECT_EQ(logindRequests(), row.expectedLogind);
        // The next row's desktop must not find this one's session manager.
        TestBuses::instance().stopDouble(TestBuses::Session, service);
    }
}

TEST_F(LinuxPowerTest, LogoffAndLockWithoutSessionIdFindTheSessionOfTheOwnProcess)
{
    qunsetenv("XDG_SESSION_ID");
    callDouble(logind(), Login1, Login1Path, QStringLiteral("AddSession"),
               {QStringLiteral("c7"), QStringLiteral("seat0"), 1000U, QStringLiteral("tester"), true});
    addLogindMethod({QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                     QStringLiteral("ret = dbus.ObjectPath('/org/freedesktop/login1/session/c7') "
                                    "if args[0] == %1 else None")
                         .arg(QCoreApplication::applicationPid())});
    SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(logind(), logind()));

    EXPECT_EQ(kindOf(carryOut(actions, AktionLogoff, false)), "");
    EXPECT_EQ(kindOf(carryOut(actions, AktionSperren, false)), "");

    EXPECT_EQ(logindRequests(), "TerminateSession(c7); LockSession(c7)");
}

TEST_F(LinuxPowerTest, LogoffAndLockWithoutAnyKnownSessionRequestNothing)
{
    qunsetenv("XDG_SESSION_ID"); // and the template knows no GetSessionByPID
    SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(logind(), logind()));

    EXPECT_EQ(actions.permission(AktionSperren, 1000), PowerPermission::NotAvailable);
    EXPECT_EQ(kindOf(carryOut(actions, AktionLogoff, true)), "NoSession");
    EXPECT_EQ(kindOf(carryOut(actions, AktionSperren, false)), "NoSession");

    EXPECT_EQ(logindRequests(), "");
}

// ---- No bus -------------------------------------------------------------------------------------

TEST(LinuxPowerPlatformWithoutBus, RequestsNothingAndReportsTheServiceUnreachable)
{
    QTemporaryDir dir;
    const QString nowhere = QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("no-bus"));
    const QString name = QStringLiteral("kelvaro-test-no-bus");
    {
        const QDBusConnection none = QDBusConnection::connectToBus(nowhere, name);
        ASSERT_FALSE(none.isConnected());
        SystemPowerActions actions(std::make_unique<LinuxPowerPlatform>(none, none));

        for (const quint8 action :
             {AktionShutdown, AktionRestart, AktionLogoff, AktionStandby, AktionHibernate, AktionSperren}) {
            SCOPED_TRACE(action);
            EXPECT_EQ(actions.permission(action, 1000), PowerPermission::Yes);
            EXPECT_EQ(kindOf(carryOut(actions, action, false)), "Unreachable");
        }
    }
    QDBusConnection::disconnectFromBus(name);
}

} // namespace
} // namespace kelvaro
