#pragma once

#include <QDBusConnection>
#include <QString>

namespace kelvaro {

/**
 * Requests to systemd-logind (org.freedesktop.login1 on the system bus): power off, halt, reboot,
 * suspend and ending the user's own session. Every request first asks logind whether it may be
 * carried out; a refused or failing request changes nothing and leaves one line on standard error.
 * No call waits longer than a few seconds.
 */
class LogindClient
{
public:
    enum class Request { PowerOff, Halt, Reboot, Suspend };

    /** Talks to logind on `systemBus` (tests pass a private bus). */
    explicit LogindClient(QDBusConnection systemBus);

    /**
     * Carries out the request `kind`. Unless `force` is set, a shutdown or reboot is given up while another
     * program holds a block inhibitor on "shutdown". Returns true when logind accepted the request.
     */
    bool request(Request kind, bool force);
    /** Ends the session this program runs in (XDG_SESSION_ID, else the session of the own process). */
    bool terminateOwnSession();

private:
    struct Verbs;
    enum class Permission { Refused, Allowed, AfterAuthentication };

    static const Verbs& verbsOf(Request request);
    Permission permission(const Verbs& verbs);
    /** The holder of a block inhibitor on shutdown other than this program, or an empty text. */
    QString blockingInhibitor();
    QString ownSessionId(QString& whyNone);

    QDBusConnection m_bus;
};

} // namespace kelvaro
