// GNOME's idle monitor and logind's idle hint, against python3-dbusmock doubles on the test
// program's private buses; and the choice between the idle clocks.
#include "platform/DBusIdleClocks.h"

#include "mock/BusDoubles.h"
#include "platform/LinuxIdleWatcher.h"
#include "platform/QtTimerService.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <ctime>
#include <map>
#include <optional>
#include <string>

namespace kelvaro {
namespace {

using namespace test;

const QString Mutter = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString MutterPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString SessionPath = QStringLiteral("/org/freedesktop/login1/session/c1");

class IdleClockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString missing = TestBuses::instance().missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << "Kein privater Bus mit dbusmock: " << qPrintable(missing);
        for (const char* name : {"XDG_SESSION_ID", "DISPLAY", "WAYLAND_DISPLAY"})
            m_saved[name] = qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt;
        qputenv("XDG_SESSION_ID", "c1");
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override
    {
        for (const auto& [name, value] : m_saved)
            value ? qputenv(name, *value) : qunsetenv(name);
    }

    static QDBusConnection session() { return TestBuses::instance().bus(TestBuses::Session)->connection(); }
    static QDBusConnection system() { return TestBuses::instance().bus(TestBuses::System)->connection(); }

    /** A Mutter double whose GetIdletime answers `idleMs`; watch ids 7 (idle) and 8 (user active). */
    static void startMutter(qint64 idleMs)
    {
        ASSERT_TRUE(TestBuses::instance().ensureDouble(
            TestBuses::Session, {QStringLiteral("--session"), Mutter, MutterPath, Mutter}, Mutter));
        TestBuses::reset(session(), Mutter, MutterPath);
        for (const MethodOverride& method :
             {MethodOverride{QStringLiteral("AddIdleWatch"), QStringLiteral("t"), QStringLiteral("u"),
                             QStringLiteral("ret = 7")},
              MethodOverride{QStringLiteral("AddUserActiveWatch"), {}, QStringLiteral("u"), QStringLiteral("ret = 8")},
              MethodOverride{QStringLiteral("RemoveWatch"), QStringLiteral("u"), {}, {}},
              MethodOverride{
                  QStringLiteral("GetIdletime"), {}, QStringLiteral("t"), QStringLiteral("ret = %1").arg(idleMs)}})
            addMethod(session(), Mutter, MutterPath, Mutter, method);
    }
    static void fire(uint id)
    {
        callDouble(session(), Mutter, MutterPath, QStringLiteral("EmitSignal"),
                   {Mutter, QStringLiteral("WatchFired"), QStringLiteral("u"), QVariantList{id}});
    }
    static std::string mutterCalls()
    {
        return recordedCalls(
            session(), Mutter, MutterPath,
            {QStringLiteral("AddIdleWatch"), QStringLiteral("AddUserActiveWatch"), QStringLiteral("RemoveWatch")});
    }

    /** The logind template with the session c1. */
    static void startLogind()
    {
        ASSERT_TRUE(TestBuses::instance().ensureDouble(
            TestBuses::System, {QStringLiteral("--system"), QStringLiteral("--template"), QStringLiteral("logind")},
            Login1));
        TestBuses::reset(system(), Login1, Login1Path);
        callDouble(system(), Login1, Login1Path, QStringLiteral("AddSession"),
                   {QStringLiteral("c1"), QStringLiteral("seat0"), uint(getuid()), QStringLiteral("anna"), true});
    }
    /** Sets the idle hint of c1 as a desktop does: idle since `agoMs` on the monotonic clock. */
    static void setIdleHint(bool idle, qint64 agoMs = 0)
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const quint64 sinceUs = quint64(now.tv_sec) * 1000000 + quint64(now.tv_nsec / 1000) - quint64(agoMs) * 1000;
        const auto set = [](const char* name, const QVariant& value) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                Login1, SessionPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
            call << QStringLiteral("org.freedesktop.login1.Session") << QString::fromLatin1(name)
                 << QVariant::fromValue(QDBusVariant(value));
            EXPECT_EQ(system().call(call).type(), QDBusMessage::ReplyMessage);
        };
        set("IdleSinceHintMonotonic", QVariant::fromValue(sinceUs));
        set("IdleHint", idle);
    }

    QtTimerService m_timers;
    std::string m_events;
    std::function<void(bool)> record = [this](bool idle) {
        m_events += idle ? "idle " : "active ";
    };

private:
    std::map<const char*, std::optional<QByteArray>> m_saved;
};

TEST_F(IdleClockTest, MutterWatchesTellIdleAndActiveAndAreRemoved)
{
    startMutter(100);
    std::unique_ptr<IdleWatch> watch = MutterIdleClock::watch(session(), 1500, record);
    ASSERT_TRUE(watch);
    EXPECT_EQ(mutterCalls(), "AddIdleWatch(1500)");

    fire(99); // another program's watch
    fire(7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_events == "idle "; }, 10000)) << m_events;
    EXPECT_GE(watch->idleMs(), 1500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mutterCalls() == "AddIdleWatch(1500); AddUserActiveWatch()"; }, 10000));
    fire(8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_events == "idle active "; }, 10000)) << m_events;
    EXPECT_LT(watch->idleMs(), 1500);
    // The idle watch stays with Mutter and fires at the next idle time.
    fire(7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_events == "idle active idle "; }, 10000)) << m_events;

    watch.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return mutterCalls().find("RemoveWatch(7)") != std::string::npos; }, 10000))
        << mutterCalls();

    // Idle past the threshold already: said at once, from the event loop.
    startMutter(5000);
    m_events.clear();
    watch = MutterIdleClock::watch(session(), 1500, record);
    ASSERT_TRUE(watch);
    EXPECT_EQ(m_events, "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_events == "idle "; }, 10000)) << m_events;
}

TEST_F(IdleClockTest, LogindHintCountsFromItsStartAndWaitsOutTheRest)
{
    startLogind();
    std::unique_ptr<IdleWatch> watch = LogindIdleClock::watch(system(), m_timers, 1500, record);
    ASSERT_TRUE(watch);
    EXPECT_EQ(watch->idleMs(), 0);

    setIdleHint(true, 1000); // idle for a second: half a second still to go
    QTest::qWait(100);
    EXPECT_EQ(m_events, "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_events == "idle "; }, 10000)) << m_events;
    EXPECT_GE(watch->idleMs(), 1500);
    setIdleHint(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_events == "idle active "; }, 10000)) << m_events;
    EXPECT_EQ(watch->idleMs(), 0);
    setIdleHint(true, 60000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_events == "idle active idle "; }, 10000)) << m_events;

    qputenv("XDG_SESSION_ID", "c9"); // no such session
    EXPECT_FALSE(LogindIdleClock::watch(system(), m_timers, 1500, record));
}

TEST_F(IdleClockTest, ChoosesMutterBeforeLogindAndNothingWithoutEither)
{
    startLogind();
    startMutter(0);
    LinuxIdleWatcher watcher(m_timers, session(), system());
    EXPECT_TRUE(watcher.watch(1000, record));
    EXPECT_EQ(watcher.source(), QStringLiteral("Mutter IdleMonitor"));

    TestBuses::instance().stopDouble(TestBuses::Session, Mutter);
    EXPECT_TRUE(watcher.watch(1000, record));
    EXPECT_EQ(watcher.source(), QStringLiteral("logind IdleHint"));

    TestBuses::instance().stopDouble(TestBuses::System, Login1);
    EXPECT_FALSE(watcher.watch(1000, record));
    EXPECT_EQ(watcher.source(), QString());
}

} // namespace
} // namespace kelvaro
