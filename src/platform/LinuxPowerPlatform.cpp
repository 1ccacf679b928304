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

namespace {

/** Whether the session names its desktop, whose session manager may log off without logind. */
bool desktopNamed()
{
    return !qEnvironmentVariableIsEmpty("XDG_CURRENT_DESKTOP");
}

} // namespace

PowerPermission LinuxPowerPlatform::permission(PowerRequest request, int timeoutMs)
{
    if (request == PowerRequest::LogOff && desktopNamed())
        return PowerPermission::Yes;
    return logind().permission(request, timeoutMs);
}

void LinuxPowerPlatform::askPermission(PowerRequest request, PermissionAnswer answer)
{
    if (request == PowerRequest::LogOff && desktopNamed())
        return answer(PowerPermission::Yes);
    logind().askPermission(request, std::move(answer));
}

void LinuxPowerPlatform::findInhibitor(PowerRequest request, InhibitorAnswer answer)
{
    logind().findInhibitor(request, std::move(answer));
}

void LinuxPowerPlatform::request(PowerRequest request, bool force, bool interactive, Done done)
{
    if (request == PowerRequest::LogOff)
        return logOff(force, std::move(done));
    logind().request(request, force, interactive, std::move(done));
}

void LinuxPowerPlatform::logOff(bool force, Done done)
{
    // The session manager lets programs save their work; logind ends the session outright.
    sessionManager().logout(force, [this, done](SessionManagerClient::Result result) {
        if (result == SessionManagerClient::Result::Accepted)
            return done(std::nullopt);
        logind().terminateOwnSession([result, done](const PowerOutcome& outcome) {
            // The session manager's refusal is the one to report: a forced log-off may pass it.
            if (outcome && result == SessionManagerClient::Result::Refused)
                return done(PowerFailure{PowerFailure::Kind::SessionRefused, {}, {}});
            done(outcome);
        });
    });
}

} // namespace kelvaro
