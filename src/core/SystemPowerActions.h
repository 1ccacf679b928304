#pragma once

#include "core/PowerActions.h"
#include "core/PowerPlatform.h"

#include <QtGlobal>

#include <memory>

namespace kelvaro {

/**
 * The power actions of an expired run. Shut down, restart, standby and hibernate first ask the system
 * whether they are allowed: a refusal ends the action, an answer that needs authentication lets the
 * request ask for it. Log off and locking go to the session. Nothing is reported to the user and nothing is waited for.
 */
class SystemPowerActions : public PowerActions
{
public:
    /** Works on `platform`, which it owns. */
    explicit SystemPowerActions(std::unique_ptr<PowerPlatform> platform);
    ~SystemPowerActions() override;

    /** 1 switch off, 2 restart, 3 log off, each forced when `force` is set; 4 standby, 5 hibernate
     *  and 6 lock the screen, where `force` plays no part; other codes do nothing. */
    void RunPowerAction(quint8 action, bool force) override;

private:
    void requestIfAllowed(PowerRequest request, bool force);

    std::unique_ptr<PowerPlatform> m_platform;
};

} // namespace kelvaro
