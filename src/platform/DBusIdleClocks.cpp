#include "platform/DBusIdleClocks.h"

#include "core/TimerService.h"
#include "platform/DBusCalls.h"
#include "platform/DBusIdleWatches.h"

#include <QCoreApplication>
#include <QDBusObjectPath>

namespace kelvaro {

using namespace idle;

std::unique_ptr<IdleWatch> MutterIdleClock::watch(const QDBusConnection& session, qint64 thresholdMs,
                                                  std::function<void(bool idle)> changed)
{
    if (!session.isConnected() || !DBusCalls::nameHasOwner(session, MutterService))
        return nullptr;
    auto watch = std::make_unique<MutterIdleWatch>(session, qMax<qint64>(thresholdMs, 1), std::move(changed));
    if (!watch->start())
        return nullptr;
    return watch;
}

std::unique_ptr<IdleWatch> LogindIdleClock::watch(const QDBusConnection& system, TimerService& timers,
                                                  qint64 thresholdMs, std::function<void(bool idle)> changed)
{
    if (!system.isConnected())
        return nullptr;
    const QString id = qEnvironmentVariable("XDG_SESSION_ID");
    QDBusMessage question = QDBusMessage::createMethodCall(
        Login1, QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        id.isEmpty() ? QStringLiteral("GetSessionByPID") : QStringLiteral("GetSession"));
    if (id.isEmpty())
        question << quint32(QCoreApplication::applicationPid());
    else
        question << id;
    const QDBusMessage reply = DBusCalls::call(system, question, DBusCalls::QueryTimeoutMs);
    if (!DBusCalls::succeeded(reply) || reply.arguments().isEmpty())
        return nullptr;
    const QString path = qdbus_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
    auto watch =
        std::make_unique<LogindIdleWatch>(system, path, timers, qMax<qint64>(thresholdMs, 1), std::move(changed));
    if (!watch->start())
        return nullptr;
    return watch;
}

} // namespace kelvaro
