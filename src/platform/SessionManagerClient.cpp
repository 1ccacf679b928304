#include "platform/SessionManagerClient.h"

#include "platform/DBusCalls.h"

#include <QDBusMessage>
#include <QList>
#include <QVariant>

namespace kelvaro {

SessionManagerClient::SessionManagerClient(QDBusConnection sessionBus) : m_bus(std::move(sessionBus)) {}

namespace {

/** The log-off call of one desktop's session manager. */
struct SessionManager
{
    /** The desktop's name in XDG_CURRENT_DESKTOP. */
    QLatin1String desktop;
    QString service;
    QString path;
    QString interface;
    QString method;
    QList<QVariant> arguments;
};

QList<SessionManager> sessionManagers(bool force)
{
    return {
        // GNOME: mode 1 logs off without a confirmation dialog, 2 also ignores programs that
        // inhibit the log-off.
        {QLatin1String("GNOME"),
         QStringLiteral("org.gnome.SessionManager"),
         QStringLiteral("/org/gnome/SessionManager"),
         QStringLiteral("org.gnome.SessionManager"),
         QStringLiteral("Logout"),
         {QVariant(force ? 2U : 1U)}},
        // KDE Plasma 6: logs off at once; the confirmation lives in a separate prompt service.
        {QLatin1String("KDE"),
         QStringLiteral("org.kde.Shutdown"),
         QStringLiteral("/Shutdown"),
         QStringLiteral("org.kde.Shutdown"),
         QStringLiteral("logout"),
         {}},
        // KDE Plasma 5: logout(confirm, type, mode) with ShutdownConfirmNo (0), ShutdownTypeNone (0,
        // "only log out") and ShutdownModeSchedule (0); the mode only matters for a halt or reboot
        // after the log-off, and ShutdownTypeLogout (3) is documented as a deprecated alias of 0.
        {QLatin1String("KDE"),
         QStringLiteral("org.kde.ksmserver"),
         QStringLiteral("/KSMServer"),
         QStringLiteral("org.kde.KSMServerInterface"),
         QStringLiteral("logout"),
         {QVariant(0), QVariant(0), QVariant(0)}},
        // Xfce: Logout(show_dialog, allow_save).
        {QLatin1String("XFCE"),
         QStringLiteral("org.xfce.SessionManager"),
         QStringLiteral("/org/xfce/SessionManager"),
         QStringLiteral("org.xfce.Session.Manager"),
         QStringLiteral("Logout"),
         {QVariant(false), QVariant(true)}},
    };
}

} // namespace

bool SessionManagerClient::logout(bool force)
{
    if (!m_bus.isConnected())
        return false;

    // The desktops the session belongs to, most specific first ("ubuntu:GNOME"). A session manager
    // of another desktop that happens to run is left alone.
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
    const QList<SessionManager> managers = sessionManagers(force);
    for (const QString& desktop : desktops) {
        for (const SessionManager& manager : managers) {
            if (desktop.compare(manager.desktop, Qt::CaseInsensitive) != 0 ||
                !DBusCalls::nameHasOwner(m_bus, manager.service))
                continue;
            QDBusMessage call =
                QDBusMessage::createMethodCall(manager.service, manager.path, manager.interface, manager.method);
            call.setArguments(manager.arguments);
            const QDBusMessage reply = DBusCalls::call(m_bus, call, DBusCalls::ActionTimeoutMs);
            if (DBusCalls::succeeded(reply))
                return true;
            DBusCalls::report(QStringLiteral("Abmelden über ") + manager.service + QStringLiteral(" fehlgeschlagen: ") +
                              DBusCalls::errorText(reply));
        }
    }
    return false;
}

} // namespace kelvaro
