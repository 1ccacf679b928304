#include "platform/DBusCalls.h"

#include "platform/Log.h"

#include <QDBusPendingCallWatcher>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QStringList>
#include <QVariant>

namespace kelvaro::DBusCalls {

QDBusMessage call(const QDBusConnection& connection, const QDBusMessage& message, int timeoutMs)
{
    if (!connection.isConnected())
        return message.createErrorReply(QDBusError::Disconnected, QStringLiteral("Bus nicht erreichbar"));
    return connection.call(message, QDBus::Block, timeoutMs);
}

void callAsync(const QDBusConnection& connection, const QDBusMessage& message, int timeoutMs, QObject* context,
               ReplyHandler handler)
{
    if (!connection.isConnected()) {
        const QDBusMessage error =
            message.createErrorReply(QDBusError::Disconnected, QStringLiteral("Bus nicht erreichbar"));
        QMetaObject::invokeMethod(
            context, [handler, error] { handler(error); }, Qt::QueuedConnection);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(connection.asyncCall(message, timeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [handler](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        handler(call->reply());
    });
}

PowerFailure failureOf(const QDBusMessage& reply)
{
    using Kind = PowerFailure::Kind;
    const QString name = reply.errorName();
    const auto is = [&name](const char* error) {
        return name == QLatin1String(error);
    };
    if (is("org.freedesktop.DBus.Error.AccessDenied") || is("org.freedesktop.DBus.Error.AuthFailed"))
        return {Kind::NotAllowed, {}, {}};
    if (is("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"))
        return {Kind::NeedsPassword, {}, {}};
    if (is("org.freedesktop.DBus.Error.NoReply") || is("org.freedesktop.DBus.Error.Timeout") ||
        is("org.freedesktop.DBus.Error.TimedOut"))
        return {Kind::NoAnswer, {}, {}};
    if (is("org.freedesktop.DBus.Error.Disconnected") || is("org.freedesktop.DBus.Error.ServiceUnknown") ||
        is("org.freedesktop.DBus.Error.NameHasNoOwner") || is("org.freedesktop.DBus.Error.NoServer") ||
        name.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn.")))
        return {Kind::Unreachable, {}, {}};
    if (is("org.freedesktop.login1.BlockedByInhibitorLock"))
        return {Kind::Inhibited, {}, {}};
    QString message = errorText(reply);
    message.remove(0, name.size() + 2); // the message without the error's name
    return {Kind::Error, {}, message.isEmpty() ? name : message};
}

bool succeeded(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage;
}

QString errorText(const QDBusMessage& reply)
{
    // Services written in Python send a whole traceback; its last line is the message.
    const QStringList lines = reply.errorMessage().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString message = lines.size() > 1 && lines.constFirst().startsWith(QLatin1String("Traceback"))
                                ? lines.constLast()
                                : reply.errorMessage().simplified();
    return reply.errorName() + QStringLiteral(": ") + message.trimmed();
}

bool nameHasOwner(const QDBusConnection& connection, const QString& name)
{
    QDBusMessage question =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    question << name;
    const QDBusMessage reply = call(connection, question, QueryTimeoutMs);
    return succeeded(reply) && !reply.arguments().isEmpty() && reply.arguments().constFirst().toBool();
}

bool isActivatable(const QDBusConnection& connection, const QString& name)
{
    const QDBusMessage question =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames"));
    const QDBusMessage reply = call(connection, question, QueryTimeoutMs);
    return succeeded(reply) && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().toStringList().contains(name);
}

void report(const QString& line)
{
    qCWarning(lcKelvaro, "%s", qUtf8Printable(line));
}

} // namespace kelvaro::DBusCalls
