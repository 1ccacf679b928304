// Desktop notifications against python3-dbusmock's notification_daemon template on the private
// session bus of the test program.
#include "platform/DBusNotifications.h"

#include "mock/BusDoubles.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

using namespace test;

const QString Server = QStringLiteral("org.freedesktop.Notifications");
const QString ServerPath = QStringLiteral("/org/freedesktop/Notifications");
const QStringList Requests{QStringLiteral("Notify"), QStringLiteral("CloseNotification")};

Notification expiry()
{
    Notification notification;
    notification.summary = QStringLiteral("Zeit abgelaufen!");
    notification.body = QStringLiteral("<b>Tee</b> & Kuchen\nfertig");
    notification.urgency = Notification::Urgency::Critical;
    notification.defaultAction = true;
    notification.actions = {{QStringLiteral("spaeter"), QStringLiteral("5 Minuten später")}};
    return notification;
}

class DBusNotificationsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString missing = TestBuses::instance().missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << "Kein privater Bus mit dbusmock: " << qPrintable(missing);
        ASSERT_TRUE(TestBuses::instance().ensureDouble(
            TestBuses::Session,
            {QStringLiteral("--session"), QStringLiteral("--template"), QStringLiteral("notification_daemon")},
            Server));
        TestBuses::reset(session(), Server, ServerPath);
        serverOffers("actions body body-markup");
    }

    static QDBusConnection session() { return TestBuses::instance().bus(TestBuses::Session)->connection(); }

    static void serverOffers(const char* capabilities)
    {
        addMethod(session(), Server, ServerPath, Server,
                  {QStringLiteral("GetCapabilities"),
                   {},
                   QStringLiteral("as"),
                   QStringLiteral("ret = '%1'.split()").arg(QLatin1String(capabilities))});
    }

    static void emitSignal(const char* name, const char* signature, const QList<QVariant>& arguments)
    {
        callDouble(session(), Server, ServerPath, QStringLiteral("EmitSignal"),
                   {Server, QString::fromLatin1(name), QString::fromLatin1(signature), arguments});
    }

    static std::string requests(const QStringList& methods = Requests)
    {
        return recordedCalls(session(), Server, ServerPath, methods);
    }
    static std::string withdrawals() { return requests({QStringLiteral("CloseNotification")}); }
    static int notifyCalls()
    {
        return static_cast<int>(QString::fromStdString(requests()).count(QStringLiteral("Notify(")));
    }

    /** Lets one round of the server's answers arrive: the notifications share the test's connection,
     *  so the answer to a question asked now comes after every answer the server owed before it. */
    static void settle()
    {
        callDouble(session(), Server, ServerPath, QStringLiteral("GetCalls"));
        QCoreApplication::processEvents();
    }

    DBusNotifications notifications{
        [] { return session(); },
        {QStringLiteral("Kelvaro"), QStringLiteral("kelvaro"), QStringLiteral("io.github.kelvaro.Kelvaro")}};
};

TEST_F(DBusNotificationsTest, SendsWhatTheServerCanShow)
{
    const std::pair<const char*, const char*> rows[] = {
        {"actions body body-markup", "&lt;b&gt;Tee&lt;/b&gt; &amp; Kuchen\nfertig,[default,,spaeter,5 Minuten später]"},
        {"actions body", "<b>Tee</b> & Kuchen\nfertig,[default,,spaeter,5 Minuten später]"},
        {"body body-markup", "&lt;b&gt;Tee&lt;/b&gt; &amp; Kuchen\nfertig,[]"},
    };
    for (const auto& [capabilities, bodyAndActions] : rows) {
        SCOPED_TRACE(capabilities);
        callDouble(session(), Server, ServerPath, QStringLiteral("ClearCalls"));
        serverOffers(capabilities);

        EXPECT_NE(notifications.show(expiry(), {}), 0U);

        const std::string expected = std::string("Notify(Kelvaro,0,kelvaro,Zeit abgelaufen!,") + bodyAndActions +
                                     ",{desktop-entry=io.github.kelvaro.Kelvaro,urgency=2},-1)";
        EXPECT_TRUE(QTest::qWaitFor([] { return !requests().empty(); }));
        EXPECT_EQ(requests(), expected);
    }
}

TEST_F(DBusNotificationsTest, ReportsTheChoiceOnceAndWithdrawsOnlyWhatIsUp)
{
    QStringList chosen;
    const Notifications::Id first =
        notifications.show(expiry(), [&chosen](const QString& key) { chosen << QStringLiteral("1:") + key; });
    const Notifications::Id second =
        notifications.show(expiry(), [&chosen](const QString& key) { chosen << QStringLiteral("2:") + key; });
    settle();
    settle(); // capabilities, then the ids 1 and 2

    emitSignal("ActionInvoked", "us", {1U, QStringLiteral("default")});
    emitSignal("ActionInvoked", "us", {1U, QStringLiteral("spaeter")});
    emitSignal("ActionInvoked", "us", {7U, QStringLiteral("default")}); // another program's notification
    emitSignal("NotificationClosed", "uu", {2U, 2U});                   // the user closed the second
    emitSignal("ActionInvoked", "us", {2U, QStringLiteral("default")});
    settle();
    EXPECT_EQ(chosen, QStringList{QStringLiteral("1:default")});

    notifications.withdraw(first);
    notifications.withdraw(second); // gone already: nothing to close
    notifications.withdraw(first);
    settle();
    EXPECT_EQ(withdrawals(), "CloseNotification(1)");
}

TEST_F(DBusNotificationsTest, WithdrawnBeforeTheServerAnsweredIsNeverLeftUp)
{
    QStringList chosen;
    const auto record = [&chosen](const QString& key) {
        chosen << key;
    };
    // Withdrawn while the server's capabilities are awaited: never sent.
    notifications.withdraw(notifications.show(expiry(), record));
    // Withdrawn while its id is awaited: closed as soon as the id comes.
    const Notifications::Id late = notifications.show(expiry(), record);
    settle(); // the capabilities: Notify is sent, its answer still outstanding
    notifications.withdraw(late);
    settle();
    settle();
    emitSignal("ActionInvoked", "us", {1U, QStringLiteral("default")});
    settle();

    EXPECT_EQ(notifyCalls(), 1);
    EXPECT_EQ(withdrawals(), "CloseNotification(1)");
    EXPECT_TRUE(chosen.isEmpty());
}

TEST_F(DBusNotificationsTest, WithoutServerOrBusShowsNothingAndFailsQuietly)
{
    TestBuses::instance().stopDouble(TestBuses::Session, Server);
    EXPECT_FALSE(notifications.available());
    EXPECT_EQ(notifications.show(expiry(), {}), 0U);
    notifications.withdraw(0);

    QTemporaryDir dir;
    const QString name = QStringLiteral("kelvaro-test-no-bus");
    {
        DBusNotifications unconnected(
            [&] {
                return QDBusConnection::connectToBus(
                    QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("none")), name);
            },
            {});
        EXPECT_FALSE(unconnected.available());
        EXPECT_EQ(unconnected.show(expiry(), {}), 0U);
    }
    QDBusConnection::disconnectFromBus(name);
}

} // namespace
} // namespace kelvaro
