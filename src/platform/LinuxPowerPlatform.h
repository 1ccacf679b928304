#pragma once

#include "core/PowerPlatform.h"
#include "platform/LogindClient.h"
#include "platform/SessionManagerClient.h"

#include <QDBusConnection>

#include <functional>
#include <memory>
#include <optional>

namespace kelvaro {

/**
 * The power services on Linux: power off, reboot, suspend and hibernate (with the question before
 * each) and locking the session go to systemd-logind; log off goes to the desktop's session manager,
 * else to logind.
 */
class LinuxPowerPlatform : public PowerPlatform
{
public:
    using BusConnector = std::function<QDBusConnection()>;

    /** Uses logind on `systemBus` and the session managers on `sessionBus`. */
    LinuxPowerPlatform(QDBusConnection systemBus, QDBusConnection sessionBus);
    /** Connects to the buses only when a power action is first asked for, so that the program
     *  starts without them. */
    LinuxPowerPlatform(BusConnector systemBus, BusConnector sessionBus);

    PowerPermission permission(PowerRequest request, int timeoutMs) override;
    void askPermission(PowerRequest request, PermissionAnswer answer) override;
    void findInhibitor(PowerRequest request, InhibitorAnswer answer) override;
    void request(PowerRequest request, bool force, bool interactive, Done done) override;

private:
    void logOff(bool force, Done done);
    LogindClient& logind();
    SessionManagerClient& sessionManager();

    BusConnector m_systemBus;
    BusConnector m_sessionBus;
    std::optional<LogindClient> m_logind;
    std::optional<SessionManagerClient> m_sessionManager;
};

/** The power platform of the running system: logind on the system bus, the session managers on
 *  the session bus. */
std::unique_ptr<PowerPlatform> createPowerPlatform();

} // namespace kelvaro
