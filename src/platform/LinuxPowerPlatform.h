#pragma once

#include "platform/LogindClient.h"
#include "platform/PowerPlatform.h"
#include "platform/SessionManagerClient.h"

#include <QDBusConnection>

namespace kelvaro {

/**
 * Power actions on Linux: the system counts as the NT family, the privilege calls do nothing (a
 * desktop user needs no privilege to ask logind), power off, halt, reboot and standby go to
 * systemd-logind, and log off goes to the desktop's session manager, else to logind.
 */
class LinuxPowerPlatform : public PowerPlatform
{
public:
    /** Uses logind on `systemBus` and the session managers on `sessionBus`. */
    LinuxPowerPlatform(QDBusConnection systemBus, QDBusConnection sessionBus);

    quint32 platformId() override;
    quintptr openProcessToken() override;
    quint64 lookupPrivilegeValue(const QString& name) override;
    void adjustTokenPrivileges(quintptr token, quint64 privilege) override;
    void closeHandle(quintptr handle) override;
    bool exitWindowsEx(quint16 flags) override;
    void suspend() override;

private:
    LogindClient m_logind;
    SessionManagerClient m_sessionManager;
};

} // namespace kelvaro
