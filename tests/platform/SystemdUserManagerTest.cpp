// Repeating schedules against a double of systemd's user manager on the private session bus.
#include "platform/SystemdUserManager.h"

#include "core/ScheduleBook.h"
#include "core/TEinst.h"
#include "mock/BusDoubles.h"
#include "mock/TempDir.h"

#include <QDBusMetaType>

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

using namespace test;

const QString Systemd = QStringLiteral("org.freedesktop.systemd1");
const QString SystemdPath = QStringLiteral("/org/freedesktop/systemd1");
const QString SystemdManager = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString TimerPath = QStringLiteral("/org/freedesktop/systemd1/unit/kelvaro_2d1_2etimer");

class SystemdUserManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString missing = TestBuses::instance().missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << "Kein privater Bus mit dbusmock: " << qPrintable(missing);
        ASSERT_TRUE(TestBuses::instance().ensureDouble(
            TestBuses::Session, {QStringLiteral("--session"), Systemd, SystemdPath, SystemdManager}, Systemd));
        mockManager();
    }

    /** The double back to a manager that does what it is asked. */
    static void mockManager()
    {
        TestBuses::reset(session(), Systemd, SystemdPath);
        answer(QStringLiteral("Reload"), {}, {}, {});
        answer(QStringLiteral("EnableUnitFiles"), QStringLiteral("asbb"), QStringLiteral("ba(sss)"),
               QStringLiteral("ret = (True, [])"));
        answer(QStringLiteral("DisableUnitFiles"), QStringLiteral("asb"), QStringLiteral("a(sss)"),
               QStringLiteral("ret = []"));
        answer(QStringLiteral("StartUnit"), QStringLiteral("ss"), QStringLiteral("o"),
               QStringLiteral("ret = '/org/freedesktop/systemd1/job/1'"));
        answer(QStringLiteral("StopUnit"), QStringLiteral("ss"), QStringLiteral("o"),
               QStringLiteral("ret = '/org/freedesktop/systemd1/job/2'"));
        answer(QStringLiteral("GetUnit"), QStringLiteral("s"), QStringLiteral("o"),
               QStringLiteral("ret = '") + TimerPath + u'\'');
    }

    static QDBusConnection session() { return TestBuses::instance().bus(TestBuses::Session)->connection(); }
    static void answer(const QString& method, const QString& in, const QString& out, const QString& code)
    {
        addMethod(session(), Systemd, SystemdPath, SystemdManager, {method, in, out, code});
    }
    static void refuse(const QString& method, const QString& in, const QString& out, const char* error)
    {
        answer(method, in, out,
               QStringLiteral("raise dbus.exceptions.DBusException('geht nicht', name='%1')").arg(QLatin1String(error)));
    }
    static std::string calls()
    {
        return recordedCalls(session(), Systemd, SystemdPath,
                             {QStringLiteral("Reload"), QStringLiteral("EnableUnitFiles"),
                              QStringLiteral("DisableUnitFiles"), QStringLiteral("StartUnit"), QStringLiteral("StopUnit")});
    }
};

TEST_F(SystemdUserManagerTest, MakesListsAndRemovesASchedule)
{
    SystemdUserManager manager(session());
    ASSERT_TRUE(manager.available());
    TempDir folder;
    ScheduleBook book(folder.path(), manager);
    TEinst options;
    options.SetAktion(AktionShutdown);
    ASSERT_FALSE(book.add(Schedule::of(book.freeId(), QStringLiteral("Mon..Fri *-*-* 23:00:00"), options),
                          QStringLiteral("/usr/bin/kelvaro")));
    EXPECT_EQ(calls(), "Reload(); EnableUnitFiles([kelvaro-1.timer],false,true); StartUnit(kelvaro-1.timer,replace)");

    // What the manager says of the timer: active, next at 2026-12-08 23:00 UTC.
    callDouble(session(), Systemd, SystemdPath, QStringLiteral("AddObject"),
               {TimerPath, QStringLiteral("org.freedesktop.systemd1.Timer"),
                QVariantMap{{QStringLiteral("NextElapseUSecRealtime"), QVariant::fromValue(quint64(1796770800000000))}},
                QVariant::fromValue(QList<QVariant>())});
    callDouble(session(), Systemd, TimerPath, QStringLiteral("AddProperty"),
               {QStringLiteral("org.freedesktop.systemd1.Unit"), QStringLiteral("ActiveState"),
                QVariant::fromValue(QDBusVariant(QStringLiteral("active")))});
    const std::optional<ServiceManager::TimerState> state = manager.timerState(Schedule::timerName(QStringLiteral("1")));
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->active);
    EXPECT_EQ(state->nextElapseUs, 1796770800000000u);

    // A timer the manager has never loaded counts as stopped; removing it goes on.
    mockManager();
    refuse(QStringLiteral("StopUnit"), QStringLiteral("ss"), QStringLiteral("o"), "org.freedesktop.systemd1.NoSuchUnit");
    EXPECT_FALSE(book.remove(QStringLiteral("1")));
    EXPECT_EQ(calls(), "StopUnit(kelvaro-1.timer,replace); DisableUnitFiles([kelvaro-1.timer],false); Reload()");
    EXPECT_TRUE(book.schedules().isEmpty());
}

TEST_F(SystemdUserManagerTest, ARefusalIsReportedAndLeavesNothingBehind)
{
    refuse(QStringLiteral("StartUnit"), QStringLiteral("ss"), QStringLiteral("o"), "org.freedesktop.DBus.Error.AccessDenied");
    SystemdUserManager manager(session());
    TempDir folder;
    ScheduleBook book(folder.path(), manager);
    const ServiceManager::Error error =
        book.add(Schedule::of(QStringLiteral("4"), QStringLiteral("*-*-* 16:00:00"), TEinst()), QStringLiteral("/usr/bin/kelvaro"));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("geht nicht"))) << qPrintable(*error);
    EXPECT_TRUE(book.schedules().isEmpty());
    EXPECT_EQ(calls(), "Reload(); EnableUnitFiles([kelvaro-4.timer],false,true); StartUnit(kelvaro-4.timer,replace); "
                       "DisableUnitFiles([kelvaro-4.timer],false); Reload()");
}

} // namespace
} // namespace kelvaro
