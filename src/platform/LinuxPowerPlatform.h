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
 * Power actions on Linux: the system counts as the NT family, the privilege calls do nothing (a
 * desktop user needs no privilege to ask logind), power off, halt, reboot and standby go to
 * systemd-logind, and log off goes to the desktop's session manager, else to logind.
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

    quint32 platformId() override;
    quintptr openProcessToken() override;
    quint64 lookupPrivilegeValue(const QString& name) override;
    void adjustTokenPrivileges(quintptr token, quint64 privilege) override;
    void closeHandle(quintptr handle) override;
    bool exitWindowsEx(quint16 flags) override;
    void suspend() override;

private:
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
