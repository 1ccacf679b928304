#pragma once

#include "core/PowerFailure.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace kelvaro {

/** What the system is asked to do to the machine or to the user's session. */
enum class PowerRequest { PowerOff, Reboot, Suspend, Hibernate, LogOff, Lock };

/** A program that blocks a request while it runs (a download, unsaved work). */
struct PowerInhibitor
{
    QString program;
    QString why;

    bool operator==(const PowerInhibitor&) const = default;
};

/**
 * The system's power and session services: switching the machine off, restarting it, suspending
 * or hibernating it, ending or locking the user's session, the question whether a request is
 * allowed, and the programs that block one. Requests and questions answer through a callback on
 * the program's own thread, so that no caller waits for the system; only permission() waits, and
 * not longer than it is told. Refusals and failures also go to standard error, one line each.
 */
class PowerPlatform
{
public:
    using Done = std::function<void(const PowerOutcome&)>;
    using PermissionAnswer = std::function<void(PowerPermission)>;
    using InhibitorAnswer = std::function<void(const std::optional<PowerInhibitor>&)>;

    virtual ~PowerPlatform() = default;

    /** Whether `request` may be made, waiting at most `timeoutMs` for the system. A question the
     *  system leaves unanswered counts as Yes: the request itself then decides. For log off and
     *  lock: whether the program's own session is found. */
    virtual PowerPermission permission(PowerRequest request, int timeoutMs) = 0;
    /** The same question, answered later through `answer`. */
    virtual void askPermission(PowerRequest request, PermissionAnswer answer) = 0;
    /** The first program other than this one that blocks `request`, or nothing. */
    virtual void findInhibitor(PowerRequest request, InhibitorAnswer answer) = 0;
    /**
     * Makes `request`; `interactive` lets the system ask the user to authenticate first, and a
     * request refused for want of authentication is sent once more as interactive. Unless `force`
     * is set, a request is given up while another program blocks it (for example one with unsaved
     * work); a forced one asks the system to pass over such programs too. Log off goes to the
     * desktop's session manager, which lets programs save their work (`force`: without waiting for
     * programs that hold it back), else ends the session outright; lock locks the session's
     * screen. `done` hears whether the system accepted.
     */
    virtual void request(PowerRequest request, bool force, bool interactive, Done done) = 0;
};

} // namespace kelvaro
