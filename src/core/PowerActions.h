#pragma once

#include "core/PowerPlatform.h"

#include <QtGlobal>

#include <functional>

namespace kelvaro {

/**
 * The power actions of a run: 1 shut down, 2 restart, 3 log off, 4 standby, 5 hibernate, 6 lock
 * the screen. Nothing here waits for the system except permission(), and that only as long as it
 * is told.
 */
class PowerActions
{
public:
    using Done = PowerPlatform::Done;

    virtual ~PowerActions() = default;

    /** Carries out `action` (forced when `force` is set); `done` hears whether it happened. */
    virtual void RunPowerAction(quint8 action, bool force, Done done = {}) = 0;
    /** Whether `action` may be carried out, waiting at most `timeoutMs` for the system; Yes for
     *  a code without a power action. */
    virtual PowerPermission permission(quint8 action, int timeoutMs) = 0;
    /** The same question, answered later. */
    virtual void askPermission(quint8 action, PowerPlatform::PermissionAnswer answer) = 0;
    /** The program that blocks `action` now, or nothing. */
    virtual void findInhibitor(quint8 action, PowerPlatform::InhibitorAnswer answer) = 0;
};

} // namespace kelvaro
