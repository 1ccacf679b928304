#pragma once

#include <QtGlobal>

namespace kelvaro {

/** Carries out a power action when a run expires: 1 shut down, 2 restart, 3 log off, 4 standby,
 *  5 hibernate, 6 lock the screen.
 *  Returns at once; nothing is reported, a refused request leaves the machine running. */
class PowerActions
{
public:
    virtual ~PowerActions() = default;
    virtual void RunPowerAction(quint8 action, bool force) = 0;
};

} // namespace kelvaro
