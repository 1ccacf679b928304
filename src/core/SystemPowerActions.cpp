#include "core/SystemPowerActions.h"

#include "core/PowerPlatform.h"
#include "core/TEinst.h"

namespace kelvaro {

SystemPowerActions::SystemPowerActions(std::unique_ptr<PowerPlatform> platform) : m_platform(std::move(platform)) {}

SystemPowerActions::~SystemPowerActions() = default;

std::optional<PowerRequest> SystemPowerActions::requestOf(quint8 action)
{
    switch (action) {
    case AktionShutdown:
        return PowerRequest::PowerOff;
    case AktionRestart:
        return PowerRequest::Reboot;
    case AktionLogoff:
        return PowerRequest::LogOff;
    case AktionStandby:
        return PowerRequest::Suspend;
    case AktionHibernate:
        return PowerRequest::Hibernate;
    case AktionSperren:
        return PowerRequest::Lock;
    default:
        return std::nullopt;
    }
}

void SystemPowerActions::RunPowerAction(quint8 action, bool force, Done done)
{
    const std::optional<PowerRequest> request = requestOf(action);
    if (!request)
        return;
    Done finish = done ? std::move(done) : [](const PowerOutcome&) {
    };
    if (*request == PowerRequest::LogOff || *request == PowerRequest::Lock) {
        m_platform->request(*request, force && *request == PowerRequest::LogOff, false, std::move(finish));
        return;
    }
    // The answer may have changed since the run started (another user logged in, the swap went).
    m_platform->askPermission(*request, [this, request, force, finish](PowerPermission permission) {
        switch (permission) {
        case PowerPermission::Yes:
            m_platform->request(*request, force, false, finish);
            break;
        case PowerPermission::Challenge:
            m_platform->request(*request, force, true, finish);
            break;
        case PowerPermission::No:
            finish(PowerFailure{PowerFailure::Kind::NotAllowed, {}, {}});
            break;
        case PowerPermission::NotAvailable:
            finish(PowerFailure{PowerFailure::Kind::NotAvailable, {}, {}});
            break;
        }
    });
}

PowerPermission SystemPowerActions::permission(quint8 action, int timeoutMs)
{
    const std::optional<PowerRequest> request = requestOf(action);
    return request ? m_platform->permission(*request, timeoutMs) : PowerPermission::Yes;
}

void SystemPowerActions::askPermission(quint8 action, PowerPlatform::PermissionAnswer answer)
{
    if (const std::optional<PowerRequest> request = requestOf(action))
        m_platform->askPermission(*request, std::move(answer));
    else
        answer(PowerPermission::Yes);
}

void SystemPowerActions::findInhibitor(quint8 action, PowerPlatform::InhibitorAnswer answer)
{
    if (const std::optional<PowerRequest> request = requestOf(action))
        m_platform->findInhibitor(*request, std::move(answer));
    else
        answer(std::nullopt);
}

} // namespace kelvaro
