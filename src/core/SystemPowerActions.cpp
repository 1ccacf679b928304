#include "core/SystemPowerActions.h"

#include "core/PowerPlatform.h"
#include "core/TEinst.h"

namespace kelvaro {

SystemPowerActions::SystemPowerActions(std::unique_ptr<PowerPlatform> platform) : m_platform(std::move(platform)) {}

SystemPowerActions::~SystemPowerActions() = default;

void SystemPowerActions::RunPowerAction(quint8 action, bool force)
{
    switch (action) {
    case AktionShutdown:
        requestIfAllowed(PowerRequest::PowerOff, force);
        break;
    case AktionRestart:
        requestIfAllowed(PowerRequest::Reboot, force);
        break;
    case AktionLogoff:
        m_platform->logOff(force);
        break;
    case AktionStandby:
        requestIfAllowed(PowerRequest::Suspend, false);
        break;
    case AktionHibernate:
        requestIfAllowed(PowerRequest::Hibernate, false);
        break;
    case AktionSperren:
        m_platform->lockSession();
        break;
    default:
        break;
    }
}

void SystemPowerActions::requestIfAllowed(PowerRequest request, bool force)
{
    switch (m_platform->permission(request)) {
    case PowerPermission::Yes:
        m_platform->request(request, force, false);
        break;
    case PowerPermission::Challenge:
        m_platform->request(request, force, true);
        break;
    case PowerPermission::No:
    case PowerPermission::NotAvailable:
        break;
    }
}

} // namespace kelvaro
