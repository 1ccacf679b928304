#include "platform/SessionManagerClient.h"

#include "platform/DBusCalls.h"

#include <QDBusMessage>
#include <QList>
#include <QVariant>

namespace kelvaro {

SessionManagerClient::SessionManagerClient(QDBusConnection sessionBus) : m_bus(std::move(sessionBus)) {}

bool SessionManagerClient::logout(bool force)
{
    if (!m_bus.isConnected())
        return false;

    struct Candidate
    {
        QString service;
        QString path;
        QString interface;
        QString method;
        QList<QVariant> arguments;
    };
    const QList<Candidate> candidates{
        // GNOME: mode 1 logs off without a confirmation dialog, 2 also ignores programs that
        // inhibit the log-off.
        {QStringLiteral("org.gnome.SessionManager"),
         QStringLiteral("/org/gnome/SessionManager"),
         QStringLiteral("org.gnome.SessionManager"),
         QStringLiteral("Logout"),
         {QVariant(force ? 2U : 1U)}},
        // KDE Plasma 6: logs off at once; the confirmation lives in a separate prompt service.
        {QStringLiteral("org.kde.Shutdown"),
         QStringLiteral("/Shutdown"),
         QStringLiteral("org.kde.Shutdown"),
         QStringLiteral("logout"),
         {}},
        // KDE Plasma 5: logout(confirm, type, mode) with ShutdownConfirmNo (0), ShutdownTypeNone (0,
        // "only log out") and ShutdownModeSchedule (0); the mode only matters for a halt or reboot
        // after the log-off, and ShutdownTypeLogout (3) is documented as a deprecated alias of 0.
        {QStringLiteral("org.kde.ksmserver"),
         QStringLiteral("/KSMServer"),
         QStringLiteral("org.kde.KSMServerInterface"),
         QStringLiteral("logout"),
         {QVariant(0), QVariant(0), QVariant(0)}},
        // Xfce: Logout(show_dialog, allow_save).
        {QStringLiteral("org.xfce.SessionManager"),
         QStringLiteral("/org/xfce/SessionManager"),
         QStringLiteral("org.xfce.Session.Manager"),
         QStringLiteral("Logout"),
         {QVariant(false), QVariant(true)}},
    };

    for (const Candidate& candidate : candidates) {
        if (!DBusCalls::nameHasOwner(m_bus, candidate.service))
            continue;
        QDBusMessage call =
            QDBusMessage::createMethodCall(candidate.service, candidate.path, candidate.interface, candidate.method);
        call.setArguments(candidate.arguments);
        const QDBusMessage reply = DBusCalls::call(m_bus, call, DBusCalls::ActionTimeoutMs);
        if (DBusCalls::succeeded(reply))
            return true;
        DBusCalls::report(QStringLiteral("Abmelden über ") + candidate.service + QStringLiteral(" fehlgeschlagen: ") +
                          DBusCalls::errorText(reply));
    }
    return false;
}

} // namespace kelvaro
