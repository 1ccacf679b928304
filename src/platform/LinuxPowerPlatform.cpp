#include "platform/LinuxPowerPlatform.h"

namespace kelvaro {

std::unique_ptr<PowerPlatform> createPowerPlatform()
{
    return std::make_unique<LinuxPowerPlatform>(QDBusConnection::systemBus(), QDBusConnection::sessionBus());
}

LinuxPowerPlatform::LinuxPowerPlatform(QDBusConnection systemBus, QDBusConnection sessionBus)
    : m_logind(std::move(systemBus)), m_sessionManager(std::move(sessionBus))
{}

quint32 LinuxPowerPlatform::platformId()
{
    return VER_PLATFORM_WIN32_NT;
}

quintptr LinuxPowerPlatform::openProcessToken()
{
    return 0;
}

quint64 LinuxPowerPlatform::lookupPrivilegeValue(const QString& /*name*/)
{
    return 0;
}

void LinuxPowerPlatform::adjustTokenPrivileges(quintptr /*token*/, quint64 /*privilege*/) {}

void LinuxPowerPlatform::closeHandle(quintptr /*handle*/) {}

bool LinuxPowerPlatform::exitWindowsEx(quint16 flags)
{
    const bool force = (flags & EWX_FORCE) != 0;
    if (flags & EWX_REBOOT)
        return m_logind.request(LogindClient::Request::Reboot, force);
    if (flags & EWX_POWEROFF)
        return m_logind.request(LogindClient::Request::PowerOff, force);
    if (flags & EWX_SHUTDOWN)
        return m_logind.request(LogindClient::Request::Halt, force);
    // Log off: the session manager lets programs save their work; logind ends the session outright.
    return m_sessionManager.logout(force) || m_logind.terminateOwnSession();
}

void LinuxPowerPlatform::suspend()
{
    m_logind.request(LogindClient::Request::Suspend, false);
}

} // namespace kelvaro
