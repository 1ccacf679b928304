#pragma once

#include "core/PowerActions.h"
#include "core/PowerPlatform.h"

#include <QtGlobal>

#include <memory>
#include <optional>

namespace kelvaro {

/**
 * The power actions on the system's power platform. Shut down, restart, standby and hibernate
 * first ask the system whether they are allowed: "no" or "not available" ends the action with that
 * reason, an answer that needs authentication lets the request ask for it. Log off and locking go
 * to the session. Every outcome is reported to the caller; nothing is waited for.
 */
class SystemPowerActions : public PowerActions
{
public:
    /** Works on `platform`, which it owns. */
    explicit SystemPowerActions(std::unique_ptr<PowerPlatform> platform);
    ~SystemPowerActions() override;

    /** 1 switch off, 2 restart, 3 log off, 4 standby, 5 hibernate, each forced when `force` is set
     *  (past programs that block it); 6 lock the screen, where `force` plays no part; other codes
     *  do nothing and report nothing. */
    void RunPowerAction(quint8 action, bool force, Done done = {}) override;
    PowerPermission permission(quint8 action, int timeoutMs) override;
    void askPermission(quint8 action, PowerPlatform::PermissionAnswer answer) override;
    void findInhibitor(quint8 action, PowerPlatform::InhibitorAnswer answer) override;

    /** The request that carries out `action`, or nothing for a code without a power action. */
    static std::optional<PowerRequest> requestOf(quint8 action);

private:
    std::unique_ptr<PowerPlatform> m_platform;
};

} // namespace kelvaro
