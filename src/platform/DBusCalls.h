#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

/** Small helpers for blocking D-Bus calls that never wait longer than a short timeout. */
namespace kelvaro::DBusCalls {

/** Longest wait for a question to a service (Can..., List..., name owners, properties). */
inline constexpr int QueryTimeoutMs = 3000;
/** Longest wait for the reply to a power or session request. */
inline constexpr int ActionTimeoutMs = 5000;

/** Sends `message` and waits at most `timeoutMs` for the reply; without a connection, on a timeout
 *  or on a failure the result is an error message. */
QDBusMessage call(const QDBusConnection& connection, const QDBusMessage& message, int timeoutMs);
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
