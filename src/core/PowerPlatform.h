#pragma once

#include <QtGlobal>

namespace kelvaro {

/** What the system is asked to do to the machine. */
enum class PowerRequest { PowerOff, Reboot, Suspend, Hibernate };

/** The system's answer to "may this user make the request now?" */
enum class PowerPermission {
    Yes,          ///< allowed at once
    Challenge,    ///< allowed once the user has authenticated
    No,           ///< not allowed
    NotAvailable, ///< the machine cannot do it
};

/**
 * The system's power and session services: switching the machine off, restarting it, suspending
 * or hibernating it, ending or locking the user's session, and the question whether a request is allowed. Every request
 * returns without waiting for the system to act. Refusals and failures go to standard error as one
 * line each; the user is not told.
 */
class PowerPlatform
{
public:
    virtual ~PowerPlatform() = default;

    /** Asks whether `request` may be made. No and NotAvailable are noted on standard error. A
     *  question the system leaves unanswered counts as Yes: the request itself then decides. */
    virtual PowerPermission permission(PowerRequest request) = 0;
    /** Makes `request`; `interactive` lets the system ask the user to authenticate first. Unless
     *  `force` is set, switching off or restarting is given up while another program blocks it
     *  (for example one with unsaved work). True when the system accepted the request. */
    virtual bool request(PowerRequest request, bool force, bool interactive) = 0;
    /** Ends the user's session through the desktop's session manager, which lets programs save
     *  their work (`force`: without waiting for programs that hold it back), else ends the session
     *  outright. True when accepted. */
    virtual bool logOff(bool force) = 0;
    /** Locks the screen of the user's session; the session and its programs go on. True when accepted. */
    virtual bool lockSession() = 0;
};

} // namespace kelvaro
