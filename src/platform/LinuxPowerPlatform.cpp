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

PowerPermission LinuxPowerPlatform::permission(PowerRequest request)
{
    return logind().permission(request);
}

bool LinuxPowerPlatform::request(PowerRequest request, bool force, bool interactive)
{
    return logind().request(request, force, interactive);
}

bool LinuxPowerPlatform::logOff(bool force)
{
    // The session manager lets programs save their work; logind ends the session outright.
    return sessionManager().logout(force) || logind().terminateOwnSession();
}

bool LinuxPowerPlatform::lockSession()
{
    return logind().lockOwnSession();
}

} // namespace kelvaro
