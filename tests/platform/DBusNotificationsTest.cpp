// Desktop notifications against python3-dbusmock's notification_daemon template on the private
// session bus of the test program.
#include "platform/DBusNotifications.h"

#include "mock/BusDoubles.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>
#include <sys/types.h>


#include <gtest/gtest.h>

namespace kelvaro {
namespace {

using namespace test;

const QString Server = QStringLiteral("org.freedesktop.Notifications");
const QString ServerPath = QStringLiteral("/org/freedesktop/Notifications");

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

    /** The server sends ActionInvoked (id, key) or NotificationClosed (id, reason). */
    static void emitSignal(const char* name, const QVariant& id, const QVariant& detail)
    {
        callDouble(session(), Server, ServerPath, QStringLiteral("EmitSignal"),
                   {Server, QString::fromLatin1(name),
                    detail.typeId() == QMetaType::QString ? QStringLiteral("us") : QStringLiteral("uu"),
                    QVariantList{id, detail}});
    }

    static std::string calls(const char* method)
    {
        return recordedCalls(session(), Server, ServerPath, {QLatin1String(method)});
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
    struct Row
    {
        const char* capabilities;
        const char* bodyAndActions;
        int failures; // a server that cannot offer the choices makes the caller offer them
    };
    const Row rows[] = {
        {"actions body body-markup", "&lt;b&gt;Tee&lt;/b&gt; &amp; Kuchen\nfertig,[default,,spaeter,5 Minuten später]",
         0},
        {"actions body", "<b>Tee</b> & Kuchen\nfertig,[default,,spaeter,5 Minuten später]", 0},
        {"body body-markup", "&lt;b&gt;Tee&lt;/b&gt; &amp; Kuchen\nfertig,[]", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.capabilities);
        callDouble(session(), Server, ServerPath, QStringLiteral("ClearCalls"));
        serverOffers(row.capabilities);
        int failures = 0;

        EXPECT_NE(notifications.show(expiry(), {}, [&failures] { ++failures; }), 0U);

        EXPECT_TRUE(QTest::qWaitFor([] { return !calls("Notify").empty(); }));
        EXPECT_EQ(calls("Notify"), std::string("Notify(Kelvaro,0,kelvaro,Zeit abgelaufen!,") + row.bodyAndActions +
                                       ",{desktop-entry=io.github.kelvaro.Kelvaro,urgency=2},-1)");
        settle();
        EXPECT_EQ(failures, row.failures);
    }

    // A server that refuses the notification.
    serverOffers("actions body");
    addMethod(
        session(), Server, ServerPath, Server,
        {QStringLiteral("Notify"), QStringLiteral("susssasa{sv}i"), QStringLiteral("u"),
         QStringLiteral("raise dbus.exceptions.DBusException('voll', name='org.freedesktop.DBus.Error.Failed')")});
    bool failed = false;
    notifications.show(expiry(), {}, [&failed] { failed = true; });
    EXPECT_TRUE(QTest::qWaitFor([&failed] { return failed; }));
}

TEST_F(DBusNotificationsTest, ReportsTheChoiceOnceAndWithdrawsOnlyWhatIsUp)
{
    QStringList chosen;
    const auto choice = [&chosen](const char* which) {
        return [&chosen, which](const QString& key) {
            chosen << QLatin1String(which) + key;
        };
    };
    const Notifications::Id first = notifications.show(expiry(), choice("1:"));
    const Notifications::Id second = notifications.show(expiry(), choice("2:"));
    settle();
    settle(); // the capabilities, then the ids 1 and 2
    // Withdrawn while the capabilities are awaited: never sent. Withdrawn while its id is awaited:
    // closed as soon as the id comes.
    notifications.withdraw(notifications.show(expiry(), choice("3:")));
    const Notifications::Id late = notifications.show(expiry(), choice("4:"));
    settle(); // Notify is sent, its answer still outstanding
    notifications.withdraw(late);

    emitSignal("ActionInvoked", 1U, QStringLiteral("default"));
    emitSignal("ActionInvoked", 1U, QStringLiteral("spaeter"));
    emitSignal("ActionInvoked", 7U, QStringLiteral("default")); // another program's notification
    emitSignal("NotificationClosed", 2U, 2U);                   // the user closed the second
    emitSignal("ActionInvoked", 2U, QStringLiteral("default"));
    emitSignal("ActionInvoked", 3U, QStringLiteral("default"));
    settle();
    EXPECT_EQ(chosen, QStringList{QStringLiteral("1:default")});

    notifications.withdraw(first);
    notifications.withdraw(second); // gone already: nothing to close
    notifications.withdraw(first);
    settle();
    EXPECT_EQ(calls("CloseNotification"), "CloseNotification(3); CloseNotification(1)");
    EXPECT_EQ(QString::fromStdString(calls("Notify")).count(QStringLiteral("Notify(")), 3);
}

TEST_F(DBusNotificationsTest, WithoutServerOrBusShowsNothingAndFailsQuietly)
{
    TestBuses::instance().stopDouble(TestBuses::Session, Server);
    // The bus is asked in the background; until it has answered, a notification would be tried.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !notifications.available(); }));
    EXPECT_EQ(notifications.show(expiry(), {}), 0U);
    notifications.withdraw(0);

    QTemporaryDir dir;
    const QString name = QStringLiteral("kelvaro-test-no-bus");
    {
        DBusNotifications unconnected(
            [&] { return QDBusConnection::connectToBus(QStringLiteral("unix:path=") + dir.path(), name); }, {});
        EXPECT_FALSE(unconnected.available());
        EXPECT_EQ(unconnected.show(expiry(), {}), 0U);
    }
    QDBusConnection::disconnectFromBus(name);
}

TEST_F(DBusNotificationsTest, ReplacesTheTextInPlaceAndClosesWhatIsUpBeforeItGoes)
{
    const QString name = QStringLiteral("kelvaro-test-own-connection");
    {
        // A connection of its own, closed as soon as the notifications go, as when the program ends.
        DBusNotifications own(
            [&] { return QDBusConnection::connectToBus(TestBuses::instance().bus(TestBuses::Session)->address(), name); },
            {QStringLiteral("Kelvaro"), QString(), QString()});
        bool shown = false;
        Notification text = expiry();
        const auto update = [&](const char* body) {
            text.body = QString::fromLatin1(body);
            own.update(1, text);
        };
        ASSERT_EQ(own.show(text, {}, {}, [&shown] { shown = true; }), 1U);
        update("zweiter"); // before the server has it: it comes up with this text
        ASSERT_TRUE(QTest::qWaitFor([&shown] { return shown; }));
        update("dritter");
        update("vierter"); // while the third is on its way: sent when it has been answered
        EXPECT_TRUE(QTest::qWaitFor([] { return QString::fromStdString(calls("Notify")).contains(u"vierter"); }));
    }
    QDBusConnection::disconnectFromBus(name);
    const std::string notified = calls("Notify");
    EXPECT_NE(notified.find("Notify(Kelvaro,0,,Zeit abgelaufen!,zweiter,"), std::string::npos) << notified;
    EXPECT_NE(notified.find("Notify(Kelvaro,1,,Zeit abgelaufen!,dritter,"), std::string::npos) << notified;
    EXPECT_NE(notified.find("Notify(Kelvaro,1,,Zeit abgelaufen!,vierter,"), std::string::npos) << notified;
    EXPECT_EQ(QString::fromStdString(notified).count(QStringLiteral("Notify(")), 3);
    EXPECT_EQ(calls("CloseNotification"), "CloseNotification(1)");
}

TEST_F(DBusNotificationsTest, ConfirmsOnlyWhatTheServerTookAndNeverWaitsForOneThatHangs)
{
    // A bus that starts a service for the server's name whose program never takes the name, as
    // Plasma's service file does on another desktop.
    QTemporaryDir services;
    QFile file(services.filePath(QStringLiteral("notifications.service")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[D-BUS Service]\nName=org.freedesktop.Notifications\nExec=/bin/sleep 20\n");
    file.close();
    PrivateBus activating;
    ASSERT_TRUE(activating.start(services.path())) << qPrintable(activating.error());
    serverOffers("actions body");
    const auto server = pid_t(session().interface()->servicePid(Server).value());

    struct Row
    {
        const char* server;
        std::function<QDBusConnection()> bus;
        bool stopped; // the server takes the calls and answers none
        bool confirmed;
    };
    const Row rows[] = {
        {"answers", [] { return session(); }, false, true},
        {"never answers", [] { return session(); }, true, false},
        {"activatable, never comes up", [&activating] { return activating.connection(); }, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.server);
        callDouble(session(), Server, ServerPath, QStringLiteral("ClearCalls"));
        if (row.stopped)
            ::kill(server, SIGSTOP);
        DBusNotifications tried(row.bus, {});
        bool shown = false;
        bool failed = false;
        EXPECT_TRUE(tried.available());
        const Notifications::Id id = tried.show(expiry(), {}, [&failed] { failed = true; }, [&shown] { shown = true; });
        EXPECT_NE(id, 0U);
        EXPECT_EQ(QTest::qWaitFor([&] { return shown || failed; }, 500), row.confirmed);
        EXPECT_EQ(shown, row.confirmed);
        EXPECT_FALSE(failed);

        // Withdrawn before the server took it: a server that wakes up later never shows it.
        tried.withdraw(id);
        if (row.stopped) {
            ::kill(server, SIGCONT);
            settle();
            settle();
            EXPECT_EQ(calls("Notify"), "");
        }
    }
}

} // namespace
} // namespace kelvaro
