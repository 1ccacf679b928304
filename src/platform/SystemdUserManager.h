#pragma once

#include "core/ServiceManager.h"

#include <QDBusConnection>

#include <functional>
#include <optional>

namespace kelvaro {

/**
 * systemd's user instance (org.freedesktop.systemd1 on the session bus), which keeps the timers of
 * repeating schedules. Calls wait a few seconds at most.
 */
class SystemdUserManager : public ServiceManager
{
public:
    using BusConnector = std::function<QDBusConnection()>;

    /** Talks to the manager on `sessionBus` (tests pass a private bus). */
    explicit SystemdUserManager(QDBusConnection sessionBus);
    /** Connects to the session bus only when the manager is first needed, so the program starts without it. */
    explicit SystemdUserManager(BusConnector sessionBus);

    /** The folder of the user's own unit files: $XDG_CONFIG_HOME/systemd/user (~/.config/systemd/user). */
    static QString unitFolder();

    bool available() override;
    Error reload() override;
    Error enable(const QStringList& units) override;
    Error disable(const QStringList& units) override;
    Error start(const QString& unit) override;
    Error stop(const QString& unit) override;
    std::optional<TimerState> timerState(const QString& unit) override;

private:
    /** Calls the manager's `method`; an error named `harmlessError` counts as done. */
    Error call(const QString& method, const QList<QVariant>& arguments, const QString& harmlessError = {});
    QDBusConnection& bus();

    BusConnector m_connect;
    std::optional<QDBusConnection> m_bus;
};

} // namespace kelvaro
