#include "platform/DBusCalls.h"

#include <QList>
#include <QStringList>
#include <QVariant>

#include <cstdio>

namespace kelvaro::DBusCalls {

QDBusMessage call(const QDBusConnection& connection, const QDBusMessage& message, int timeoutMs)
{
    if (!connection.isConnected())
        return message.createErrorReply(QDBusError::Disconnected, QStringLiteral("Bus nicht erreichbar"));
    return connection.call(message, QDBus::Block, timeoutMs);
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
    std::fprintf(stderr, "kelvaro: %s\n", qUtf8Printable(line));
    std::fflush(stderr);
}

} // namespace kelvaro::DBusCalls
