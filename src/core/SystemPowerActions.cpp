#include "core/SystemPowerActions.h"

#include "core/PowerPlatform.h"
#include "core/TEinst.h"

namespace kelvaro {

SystemPowerActions::SystemPowerActions(std::unique_ptr<PowerPlatform> platform) : m_platform(std::move(platform)) {}

SystemPowerActions::~SystemPowerActions() = default;

void SystemPowerActions::RunPowerAction(quint8 action, bool force)
{
    const quint16 forced = force ? EWX_FORCE : 0;
    switch (action) {
    case AktionShutdown:
        // The NT family switches the machine off; the older family only shuts the system down.
        ExitWindowsPrivileged(static_cast<quint16>((isNtFamily() ? EWX_POWEROFF : EWX_SHUTDOWN) | forced));
        break;
    case AktionRestart:
        ExitWindowsPrivileged(static_cast<quint16>(EWX_REBOOT | forced));
        break;
    case AktionLogoff:
        ExitWindowsPrivileged(static_cast<quint16>(EWX_LOGOFF | forced));
        break;
    case AktionStandby:
        m_platform->suspend();
        break;
    default:
        break;
    }
}

bool SystemPowerActions::ExitWindowsPrivileged(quint16 flags)
{
    if (isNtFamily()) {
        // None of these results matters: the request is made in any case, and a missing
        // privilege only means that the system refuses it.
        const quintptr token = m_platform->openProcessToken();
        const quint64 privilege = m_platform->lookupPrivilegeValue(QStringLiteral("SeShutdownPrivilege"));
        m_platform->adjustTokenPrivileges(token, privilege);
        m_platform->closeHandle(token);
    }
    return m_platform->exitWindowsEx(flags);
}

bool SystemPowerActions::isNtFamily() const
{
    return m_platform->platformId() == VER_PLATFORM_WIN32_NT;
}

} // namespace kelvaro
