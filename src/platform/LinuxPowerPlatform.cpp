#include "platform/LinuxPowerPlatform.h"

namespace kelvaro {

std::unique_ptr<PowerPlatform> createPowerPlatform()
{
    return std::make_unique<LinuxPowerPlatform>(LinuxPowerPlatform::BusConnector(&QDBusConnection::systemBus),
                                                LinuxPowerPlatform::BusConnector(&QDBusConnection::sessionBus));
}

LinuxPowerPlatform::LinuxPowerPlatform(QDBusConnection systemBus, QDBusConnection sessionBus)
    : LinuxPowerPlatform([systemBus] { return systemBus; }, [sessionBus] { return sessionBus; })
{}

LinuxPowerPlatform::LinuxPowerPlatform(BusConnector systemBus, BusConnector sessionBus)
    : m_systemBus(std::move(systemBus)), m_sessionBus(std::move(sessionBus))
{}

LogindClient& LinuxPowerPlatform::logind()
{
    if (!m_logind)
        m_logind.emplace(m_systemBus());
    return *m_logind;
}

SessionManagerClient& LinuxPowerPlatform::sessionManager()
{
    if (!m_sessionManager)
        m_sessionManager.emplace(m_sessionBus());
    return *m_sessionManager;
}

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
        return logind().request(LogindClient::Request::Reboot, force);
    if (flags & EWX_POWEROFF)
        return logind().request(LogindClient::Request::PowerOff, force);
    if (flags & EWX_SHUTDOWN)
        return logind().request(LogindClient::Request::Halt, force);
    // Log off: the session manager lets programs save their work; logind ends the session outright.
    return sessionManager().logout(force) || logind().terminateOwnSession();
}

void LinuxPowerPlatform::suspend()
{
    logind().request(LogindClient::Request::Suspend, false);
}

} // namespace kelvaro
