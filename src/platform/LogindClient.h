#pragma once

#include "core/PowerPlatform.h"

#include <QDBusConnection>
#include <QString>

namespace kelvaro {

/**
 * Requests to systemd-logind (org.freedesktop.login1 on the system bus): power off, reboot,
 * suspend, hibernate, the Can... question before each, and ending or locking the user's own session. A refused or
 * failing request changes nothing and leaves one line on standard error. No call waits longer than
 * a few seconds.
 */
class LogindClient
{
public:
    /** Talks to logind on `systemBus` (tests pass a private bus). */
    explicit LogindClient(QDBusConnection systemBus);

    /** logind's answer to Can<request> ("yes", "challenge", "no", "na"); Yes when it gives none. */
    PowerPermission permission(PowerRequest request);
    /**
     * Carries out `request`, with logind's interactive flag set to `interactive`. Unless `force` is
     * set, a request that ends the system is given up while another program holds a block
     * inhibitor on it. Returns true when logind accepted the request.
     */
    bool request(PowerRequest request, bool force, bool interactive);
    /** Ends the session this program runs in (XDG_SESSION_ID, else the session of the own process). */
    bool terminateOwnSession()
    {
        return requestForOwnSession(QStringLiteral("TerminateSession"), QStringLiteral("Abmelden"));
    }
    /** Locks the screen of the session this program runs in, found in the same way. */
    bool lockOwnSession() { return requestForOwnSession(QStringLiteral("LockSession"), QStringLiteral("Sperren")); }

private:
    struct Verbs;

    static const Verbs& verbsOf(PowerRequest request);
    /** The holder of a block inhibitor on `what` other than this program, or an empty text. */
    QString blockingInhibitor(const QString& what);
    /** Calls logind's `method` with the own session's id; `label` names the request in the report line. */
    bool requestForOwnSession(const QString& method, const QString& label);
    QString ownSessionId(QString& whyNone);

    QDBusConnection m_bus;
};

} // namespace kelvaro
