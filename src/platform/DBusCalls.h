#pragma once

#include "core/PowerFailure.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

#include <functional>

class QObject;

/** Small helpers for D-Bus calls: blocking ones that never wait longer than a short timeout, and
 *  ones that answer later through a callback. */
namespace kelvaro::DBusCalls {

/** Longest wait for a question to a service (Can..., List..., name owners, properties). */
inline constexpr int QueryTimeoutMs = 3000;
/** Longest wait for the reply to a power or session request. */
inline constexpr int ActionTimeoutMs = 5000;
/** Longest wait for a request that may show an authentication dialog: the user types a password. */
inline constexpr int InteractiveTimeoutMs = 120000;

using ReplyHandler = std::function<void(const QDBusMessage& reply)>;

/** Sends `message` and waits at most `timeoutMs` for the reply; without a connection, on a timeout
 *  or on a failure the result is an error message. */
QDBusMessage call(const QDBusConnection& connection, const QDBusMessage& message, int timeoutMs);
/** Sends `message` and hands the reply (or an error message, after at most `timeoutMs`) to
 *  `handler` on the thread of `context`, never from inside this call; nothing once `context` is gone. */
void callAsync(const QDBusConnection& connection, const QDBusMessage& message, int timeoutMs, QObject* context,
               ReplyHandler handler);
/** The kind of failure a D-Bus error reply stands for, with its message. */
PowerFailure failureOf(const QDBusMessage& reply);
/** True when `reply` is a method return (not an error). */
bool succeeded(const QDBusMessage& reply);
/** The error of a failed reply as "name: message". */
QString errorText(const QDBusMessage& reply);
/** True when `name` has an owner on the bus; false when it has none or the bus cannot tell. */
bool nameHasOwner(const QDBusConnection& connection, const QString& name);
/** True when the bus starts a service for `name` on demand (a D-Bus activatable service). */
bool isActivatable(const QDBusConnection& connection, const QString& name);
/** Writes one line "kelvaro: <line>" to standard error. */
void report(const QString& line);

} // namespace kelvaro::DBusCalls
