#include "platform/LogindClient.h"

#include "platform/DBusCalls.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariant>

namespace kelvaro {

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");

QDBusMessage managerCall(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, ManagerPath, ManagerInterface, method);
}

} // namespace

struct LogindClient::Verbs
{
    QString method;
    QString canMethod;
    QString label;         // the request as the user would name it, for the report line
    QString inhibitorLock; // the inhibitor lock that holds the request back, or empty
};

LogindClient::LogindClient(QDBusConnection systemBus) : m_bus(std::move(systemBus)) {}

const LogindClient::Verbs& LogindClient::verbsOf(PowerRequest request)
{
    static const Verbs powerOff{QStringLiteral("PowerOff"), QStringLiteral("CanPowerOff"),
                                QStringLiteral("Ausschalten"), QStringLiteral("shutdown")};
    static const Verbs reboot{QStringLiteral("Reboot"), QStringLiteral("CanReboot"), QStringLiteral("Neustart"),
                              QStringLiteral("shutdown")};
    static const Verbs suspend{QStringLiteral("Suspend"), QStringLiteral("CanSuspend"), QStringLiteral("Standby"), {}};
    static const Verbs hibernate{
        QStringLiteral("Hibernate"), QStringLiteral("CanHibernate"), QStringLiteral("Ruhezustand"), {}};
    switch (request) {
    case PowerRequest::PowerOff:
        return powerOff;
    case PowerRequest::Reboot:
        return reboot;
    case PowerRequest::Hibernate:
        return hibernate;
    case PowerRequest::Suspend:
        break;
    }
    return suspend;
}

PowerPermission LogindClient::permission(PowerRequest request)
{
    const Verbs& verbs = verbsOf(request);
    const QDBusMessage reply = DBusCalls::call(m_bus, managerCall(verbs.canMethod), DBusCalls::QueryTimeoutMs);
    // Without an answer the request is sent all the same; logind then decides.
    if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
        return PowerPermission::Yes;
    const QString answer = reply.arguments().constFirst().toString();
    if (answer == QLatin1String("challenge"))
        return PowerPermission::Challenge;
    if (answer == QLatin1String("no") || answer == QLatin1String("na")) {
        DBusCalls::report(verbs.label + QStringLiteral(" abgelehnt: ") + ManagerInterface + QLatin1Char('.') +
                          verbs.canMethod + QStringLiteral(" = ") + answer);
        return answer == QLatin1String("no") ? PowerPermission::No : PowerPermission::NotAvailable;
    }
    return PowerPermission::Yes;
}

bool LogindClient::request(PowerRequest request, bool force, bool interactive)
{
    const Verbs& verbs = verbsOf(request);
    if (!m_bus.isConnected()) {
        DBusCalls::report(verbs.label + QStringLiteral(" fehlgeschlagen: Systembus nicht erreichbar"));
        return false;
    }

    // A program that blocks the shutdown (for example one with unsaved work) stops an unforced
    // request, as an application that refuses the end of the session does.
    if (!force && !verbs.inhibitorLock.isEmpty()) {
        const QString holder = blockingInhibitor(verbs.inhibitorLock);
        if (!holder.isEmpty()) {
            DBusCalls::report(verbs.label + QStringLiteral(" abgelehnt: blockiert von ") + holder);
            return false;
        }
    }

    // Interactive lets logind ask the desktop's authentication agent; otherwise no dialog may appear.
    QDBusMessage call = managerCall(verbs.method);
    call << interactive;
    const QDBusMessage reply = DBusCalls::call(m_bus, call, DBusCalls::ActionTimeoutMs);
    if (DBusCalls::succeeded(reply))
        return true;
    DBusCalls::report(verbs.label + QStringLiteral(" fehlgeschlagen: ") + DBusCalls::errorText(reply));
    return false;
}

QString LogindClient::blockingInhibitor(const QString& what)
{
    const QDBusMessage reply =
        DBusCalls::call(m_bus, managerCall(QStringLiteral("ListInhibitors")), DBusCalls::QueryTimeoutMs);
    if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
        return {}; // the list cannot be read: go on with the request
    const auto list = reply.arguments().constFirst().value<QDBusArgument>();
    if (list.currentSignature() != QLatin1String("a(ssssuu)"))
        return {};

    const qint64 ownPid = QCoreApplication::applicationPid();
    QString holder;
    list.beginArray();
    while (!list.atEnd()) {
        QString locks, who, why, mode;
        quint32 uid = 0, pid = 0;
        list.beginStructure();
        list >> locks >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        if (holder.isEmpty() && mode == QLatin1String("block") && pid != ownPid &&
            locks.split(QLatin1Char(':')).contains(what))
            holder = who + QStringLiteral(" (") + why + QLatin1Char(')');
    }
    list.endArray();
    return holder;
}

bool LogindClient::requestForOwnSession(const QString& method, const QString& label)
{
    if (!m_bus.isConnected()) {
        DBusCalls::report(label + QStringLiteral(" fehlgeschlagen: Systembus nicht erreichbar"));
        return false;
    }
    QString whyNone;
    const QString id = ownSessionId(whyNone);
    if (id.isEmpty()) {
        DBusCalls::report(label + QStringLiteral(" fehlgeschlagen: keine Sitzung gefunden (") + whyNone +
                          QLatin1Char(')'));
        return false;
    }
    QDBusMessage call = managerCall(method);
    call << id;
    const QDBusMessage reply = DBusCalls::call(m_bus, call, DBusCalls::ActionTimeoutMs);
    if (DBusCalls::succeeded(reply))
        return true;
    DBusCalls::report(label + QStringLiteral(" fehlgeschlagen: ") + DBusCalls::errorText(reply));
    return false;
}

QString LogindClient::ownSessionId(QString& whyNone)
{
    QString fromEnvironment = qEnvironmentVariable("XDG_SESSION_ID");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;

    QDBusMessage byPid = managerCall(QStringLiteral("GetSessionByPID"));
    byPid << static_cast<quint32>(QCoreApplication::applicationPid());
    const QDBusMessage pathReply = DBusCalls::call(m_bus, byPid, DBusCalls::QueryTimeoutMs);
    if (!DBusCalls::succeeded(pathReply) || pathReply.arguments().isEmpty()) {
        whyNone = QStringLiteral("GetSessionByPID: ") + DBusCalls::errorText(pathReply);
        return {};
    }
    const QString path = pathReply.arguments().constFirst().value<QDBusObjectPath>().path();

    QDBusMessage get = QDBusMessage::createMethodCall(Service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("Id");
    const QDBusMessage idReply = DBusCalls::call(m_bus, get, DBusCalls::QueryTimeoutMs);
    if (!DBusCalls::succeeded(idReply) || idReply.arguments().isEmpty()) {
        whyNone = path + QStringLiteral(".Id: ") + DBusCalls::errorText(idReply);
        return {};
    }
    QString id = idReply.arguments().constFirst().value<QDBusVariant>().variant().toString();
    if (id.isEmpty())
        whyNone = path + QStringLiteral(".Id ist leer");
    return id;
}

} // namespace kelvaro
