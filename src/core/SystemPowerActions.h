#pragma once

#include "core/PowerActions.h"

#include <QtGlobal>

#include <memory>

namespace kelvaro {

class PowerPlatform;

/**
 * The power actions of an expired run: shut down, restart and log off as a request to end the
 * system or session, standby as a request of its own. The platform family is asked at every use;
 * on the NT family the shutdown privilege is enabled before each request. Nothing is reported and
 * nothing is waited for.
 */
class SystemPowerActions : public PowerActions
{
public:
    /** Works on `platform`, which it owns. */
    explicit SystemPowerActions(std::unique_ptr<PowerPlatform> platform);
    ~SystemPowerActions() override;

    /** 1 shut down (power off on the NT family), 2 restart, 3 log off, each forced when `force`
     *  is set; 4 standby, where `force` plays no part; other codes do nothing. */
    void RunPowerAction(quint8 action, bool force) override;
    /** Enables the shutdown privilege on the NT family and asks the system to end with `flags`;
     *  returns whether the request was accepted. */
    bool ExitWindowsPrivileged(quint16 flags);

private:
    bool isNtFamily() const;

    std::unique_ptr<PowerPlatform> m_platform;
};

} // namespace kelvaro
