#pragma once

#include "core/PowerPlatform.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

class QDBusMessage;

namespace kelvaro {

/**
 * Requests to systemd-logind (org.freedesktop.login1 on the system bus): power off, reboot,
 * suspend, hibernate, the Can... question before each, the programs that block them, and ending or
 * locking the user's own session. Every request answers later through a callback; a refused or
 * failing request changes nothing, leaves one line on standard error and reports why.
 */
class LogindClient
{
public:
    /** logind's flag for the ...WithFlags requests that passes over block inhibitors (systemd 257). */
    static constexpr quint64 SkipInhibitors = quint64(1) << 4;

    /** Talks to logind on `systemBus` (tests pass a private bus). */
    explicit LogindClient(QDBusConnection systemBus);

    /** logind's answer to Can<request> ("yes", "challenge", "no", "na"), waiting at most
     *  `timeoutMs`; Yes when it gives none. Log off and lock: whether the own session is found. */
    PowerPermission permission(PowerRequest request, int timeoutMs);
    /** The same question, answered later. */
    void askPermission(PowerRequest request, PowerPlatform::PermissionAnswer answer);
    /** The first block inhibitor on the request's lock ("shutdown" or "sleep") held by another
     *  program; nothing when there is none or the list cannot be read. */
    void findInhibitor(PowerRequest request, PowerPlatform::InhibitorAnswer answer);
    /**
     * Carries out power off, reboot, suspend or hibernate, with logind's interactive flag set to
     * `interactive`; a request that logind refuses for want of authentication is sent once more
     * as interactive. Unless `force` is set, the request is given up while another program holds a
     * block inhibitor on it; a forced request goes to the ...WithFlags method with SkipInhibitors
     * where logind offers it, else to the plain method.
     */
    void request(PowerRequest request, bool force, bool interactive, PowerPlatform::Done done);
    /** Ends the session this program runs in (XDG_SESSION_ID, else the session of the own process). */
    void terminateOwnSession(PowerPlatform::Done done);
    /** Locks the screen of the session this program runs in, found in the same way. */
    void lockOwnSession(PowerPlatform::Done done);

private:
    struct Verbs;
    using SessionHandler = std::function<void(const QString& id, const QDBusMessage& whyNone)>;

    static const Verbs& verbsOf(PowerRequest request);
    static PowerPermission permissionOf(const QDBusMessage& reply, const Verbs& verbs);
    static PowerPermission sessionPermissionOf(const QDBusMessage& reply);
    QDBusMessage sessionQuestion() const;
    void send(PowerRequest request, bool withFlags, bool interactive, PowerPlatform::Done done);
    /** Calls logind's `method` with the own session's id; `label` names the request in the report line. */
    void requestForOwnSession(const QString& method, const QString& label, PowerPlatform::Done done);
    void findOwnSession(SessionHandler handler);

    QDBusConnection m_bus;
    QObject m_calls; // the context of the calls under way: their answers end with the client
};

} // namespace kelvaro
