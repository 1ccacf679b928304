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

bool isError(const QDBusMessage& reply, const char* name)
{
    return reply.errorName() == QLatin1String(name);
}

/** Whether the question went unanswered (no bus, no service, no reply), rather than answered. */
bool unanswered(const QDBusMessage& reply)
{
    const PowerFailure::Kind kind = DBusCalls::failureOf(reply).kind;
    return kind == PowerFailure::Kind::Unreachable || kind == PowerFailure::Kind::NoAnswer;
}

} // namespace

struct LogindClient::Verbs
{
    QString method;
    QString canMethod;     // empty for the requests on the own session
    QString label;         // the request as the user would name it, for the report line
    QString inhibitorLock; // the inhibitor lock that holds the request back, or empty
};

LogindClient::LogindClient(QDBusConnection systemBus) : m_bus(std::move(systemBus)) {}

const LogindClient::Verbs& LogindClient::verbsOf(PowerRequest request)
{
    static const QString shutdown = QStringLiteral("shutdown");
    static const QString sleep = QStringLiteral("sleep");
    static const Verbs powerOff{QStringLiteral("PowerOff"), QStringLiteral("CanPowerOff"),
                                QStringLiteral("Ausschalten"), shutdown};
    static const Verbs reboot{QStringLiteral("Reboot"), QStringLiteral("CanReboot"), QStringLiteral("Neustart"),
                              shutdown};
    static const Verbs suspend{QStringLiteral("Suspend"), QStringLiteral("CanSuspend"), QStringLiteral("Standby"),
                               sleep};
    static const Verbs hibernate{QStringLiteral("Hibernate"), QStringLiteral("CanHibernate"),
                                 QStringLiteral("Ruhezustand"), sleep};
    static const Verbs logOff{QStringLiteral("TerminateSession"), {}, QStringLiteral("Abmelden"), {}};
    static const Verbs lock{QStringLiteral("LockSession"), {}, QStringLiteral("Sperren"), {}};
    switch (request) {
    case PowerRequest::PowerOff:
        return powerOff;
    case PowerRequest::Reboot:
        return reboot;
    case PowerRequest::Hibernate:
        return hibernate;
    case PowerRequest::LogOff:
        return logOff;
    case PowerRequest::Lock:
        return lock;
    case PowerRequest::Suspend:
        break;
    }
    return suspend;
}

PowerPermission LogindClient::permissionOf(const QDBusMessage& reply, const Verbs& verbs)
{
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

PowerPermission LogindClient::sessionPermissionOf(const QDBusMessage& reply)
{
    // logind knows no session of this process: there is nothing to end or lock.
    return DBusCalls::succeeded(reply) || unanswered(reply) ? PowerPermission::Yes : PowerPermission::NotAvailable;
}

QDBusMessage LogindClient::sessionQuestion() const
{
    QDBusMessage byPid = managerCall(QStringLiteral("GetSessionByPID"));
    byPid << static_cast<quint32>(QCoreApplication::applicationPid());
    return byPid;
}

PowerPermission LogindClient::permission(PowerRequest request, int timeoutMs)
{
    const Verbs& verbs = verbsOf(request);
    if (verbs.canMethod.isEmpty()) {
        if (!qEnvironmentVariableIsEmpty("XDG_SESSION_ID"))
            return PowerPermission::Yes;
        return sessionPermissionOf(DBusCalls::call(m_bus, sessionQuestion(), timeoutMs));
    }
    return permissionOf(DBusCalls::call(m_bus, managerCall(verbs.canMethod), timeoutMs), verbs);
}

void LogindClient::askPermission(PowerRequest request, PowerPlatform::PermissionAnswer answer)
{
    const Verbs& verbs = verbsOf(request);
    if (verbs.canMethod.isEmpty()) {
        if (!qEnvironmentVariableIsEmpty("XDG_SESSION_ID")) {
            answer(PowerPermission::Yes);
            return;
        }
        DBusCalls::callAsync(m_bus, sessionQuestion(), DBusCalls::QueryTimeoutMs, &m_calls,
                             [answer](const QDBusMessage& reply) { answer(sessionPermissionOf(reply)); });
        return;
    }
    DBusCalls::callAsync(m_bus, managerCall(verbs.canMethod), DBusCalls::QueryTimeoutMs, &m_calls,
                         [answer, &verbs](const QDBusMessage& reply) { answer(permissionOf(reply, verbs)); });
}

void LogindClient::findInhibitor(PowerRequest request, PowerPlatform::InhibitorAnswer answer)
{
    const QString what = verbsOf(request).inhibitorLock;
    if (what.isEmpty()) {
        answer(std::nullopt);
        return;
    }
    const auto read = [answer, what](const QDBusMessage& reply) {
        if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
            return answer(std::nullopt); // the list cannot be read: go on with the request
        const auto list = reply.arguments().constFirst().value<QDBusArgument>();
        if (list.currentSignature() != QLatin1String("a(ssssuu)"))
            return answer(std::nullopt);

        const qint64 ownPid = QCoreApplication::applicationPid();
        std::optional<PowerInhibitor> holder;
        list.beginArray();
        while (!list.atEnd()) {
            QString locks, who, why, mode;
            quint32 uid = 0, pid = 0;
            list.beginStructure();
            list >> locks >> who >> why >> mode >> uid >> pid;
            list.endStructure();
            if (!holder && mode == QLatin1String("block") && pid != ownPid &&
                locks.split(QLatin1Char(':')).contains(what))
                holder = PowerInhibitor{who, why};
        }
        list.endArray();
        answer(holder);
    };
    DBusCalls::callAsync(m_bus, managerCall(QStringLiteral("ListInhibitors")), DBusCalls::QueryTimeoutMs, &m_calls,
                         read);
}

void LogindClient::request(PowerRequest request, bool force, bool interactive, PowerPlatform::Done done)
{
    if (request == PowerRequest::LogOff)
        return terminateOwnSession(std::move(done));
    if (request == PowerRequest::Lock)
        return lockOwnSession(std::move(done));
    if (force)
        return send(request, true, interactive, std::move(done));

    // A program that blocks the request (for example one with unsaved work) stops an unforced
    // one, as an application that refuses the end of the session does.
    findInhibitor(request, [this, request, interactive, done](const std::optional<PowerInhibitor>& holder) {
        if (!holder)
            return send(request, false, interactive, done);
        DBusCalls::report(verbsOf(request).label + QStringLiteral(" abgelehnt: blockiert von ") + holder->program +
                          QStringLiteral(" (") + holder->why + QLatin1Char(')'));
        done(PowerFailure{PowerFailure::Kind::Inhibited, holder->program, holder->why});
    });
}

void LogindClient::send(PowerRequest request, bool withFlags, bool interactive, PowerPlatform::Done done)
{
    const Verbs& verbs = verbsOf(request);
    QDBusMessage call;
    if (withFlags) {
        // The flags have no interactive bit: the message header allows the authentication dialog.
        call = managerCall(verbs.method + QStringLiteral("WithFlags"));
        call << SkipInhibitors;
    } else {
        call = managerCall(verbs.method);
        call << interactive;
    }
    // Interactive lets logind ask the desktop's authentication agent; otherwise no dialog may appear.
    call.setInteractiveAuthorizationAllowed(interactive);
    const int timeoutMs = interactive ? DBusCalls::InteractiveTimeoutMs : DBusCalls::ActionTimeoutMs;
    DBusCalls::callAsync(
        m_bus, call, timeoutMs, &m_calls,
        [this, request, withFlags, interactive, done, &verbs](const QDBusMessage& reply) {
            if (DBusCalls::succeeded(reply))
                return done(std::nullopt);
            // A logind older than the flag, or without the method: the plain
            // request, which the own inhibitor check has let through already.
            if (withFlags && (isError(reply, "org.freedesktop.DBus.Error.UnknownMethod") ||
                              isError(reply, "org.freedesktop.DBus.Error.InvalidArgs")))
                return send(request, false, interactive, done);
            // Another user is logged in, for example: the desktop's dialog may ask.
            if (!interactive && isError(reply, "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"))
                return send(request, withFlags, true, done);
            DBusCalls::report(verbs.label + QStringLiteral(" fehlgeschlagen: ") + DBusCalls::errorText(reply));
            done(DBusCalls::failureOf(reply));
        });
}

void LogindClient::terminateOwnSession(PowerPlatform::Done done)
{
    requestForOwnSession(QStringLiteral("TerminateSession"), QStringLiteral("Abmelden"), std::move(done));
}

void LogindClient::lockOwnSession(PowerPlatform::Done done)
{
    requestForOwnSession(QStringLiteral("LockSession"), QStringLiteral("Sperren"), std::move(done));
}

void LogindClient::requestForOwnSession(const QString& method, const QString& label, PowerPlatform::Done done)
{
    findOwnSession([this, method, label, done](const QString& id, const QDBusMessage& whyNone) {
        if (id.isEmpty()) {
            DBusCalls::report(label + QStringLiteral(" fehlgeschlagen: keine Sitzung gefunden (") +
                              DBusCalls::errorText(whyNone) + QLatin1Char(')'));
            return done(unanswered(whyNone) ? DBusCalls::failureOf(whyNone)
                                            : PowerFailure{PowerFailure::Kind::NoSession, {}, {}});
        }
        QDBusMessage call = managerCall(method);
        call << id;
        DBusCalls::callAsync(
            m_bus, call, DBusCalls::ActionTimeoutMs, &m_calls, [label, done](const QDBusMessage& reply) {
                if (DBusCalls::succeeded(reply))
                    return done(std::nullopt);
                DBusCalls::report(label + QStringLiteral(" fehlgeschlagen: ") + DBusCalls::errorText(reply));
                done(DBusCalls::failureOf(reply));
            });
    });
}

void LogindClient::findOwnSession(SessionHandler handler)
{
    const QString fromEnvironment = qEnvironmentVariable("XDG_SESSION_ID");
    if (!fromEnvironment.isEmpty())
        return handler(fromEnvironment, {});

    DBusCalls::callAsync(
        m_bus, sessionQuestion(), DBusCalls::QueryTimeoutMs, &m_calls, [this, handler](const QDBusMessage& pathReply) {
            if (!DBusCalls::succeeded(pathReply) || pathReply.arguments().isEmpty())
                return handler({}, pathReply);
            const QString path = pathReply.arguments().constFirst().value<QDBusObjectPath>().path();
            QDBusMessage get = QDBusMessage::createMethodCall(
                Service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
            get << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("Id");
            DBusCalls::callAsync(
                m_bus, get, DBusCalls::QueryTimeoutMs, &m_calls, [handler, get](const QDBusMessage& idReply) {
                    const QString id = DBusCalls::succeeded(idReply) && !idReply.arguments().isEmpty()
                                           ? idReply.arguments().constFirst().value<QDBusVariant>().variant().toString()
                                           : QString();
                    if (!id.isEmpty())
                        return handler(id, {});
                    handler({}, DBusCalls::succeeded(idReply)
                                    ? get.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("Id ist leer"))
                                    : idReply);
                });
        });
}

} // namespace kelvaro
