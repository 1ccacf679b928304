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

struct SessionManagerClient::Attempt
{
    QList<SessionManager> candidates; // the session managers of the session's desktops, in order
    qsizetype next = 0;
    bool refused = false;
    std::function<void(Result)> done;
};

void SessionManagerClient::logout(bool force, std::function<void(Result)> done)
{
    auto attempt = std::make_shared<Attempt>();
    attempt->done = std::move(done);
    // The desktops the session belongs to, most specific first ("ubuntu:GNOME"). A session manager
    // of another desktop that happens to run is left alone.
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
    const QList<SessionManager> managers = sessionManagers(force);
    for (const QString& desktop : desktops)
        for (const SessionManager& manager : managers)
            if (desktop.compare(manager.desktop, Qt::CaseInsensitive) == 0)
                attempt->candidates << manager;
    tryNext(std::move(attempt));
}

void SessionManagerClient::tryNext(std::shared_ptr<Attempt> attempt)
{
    if (attempt->next >= attempt->candidates.size())
        return attempt->done(attempt->refused ? Result::Refused : Result::None);
    const SessionManager manager = attempt->candidates.at(attempt->next++);

    // Only a session manager that runs is asked: the bus could start one of another session.
    QDBusMessage question =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    question << manager.service;
    DBusCalls::callAsync(
        m_bus, question, DBusCalls::QueryTimeoutMs, &m_calls, [this, attempt, manager](const QDBusMessage& owner) {
            if (!DBusCalls::succeeded(owner) || owner.arguments().isEmpty() || !owner.arguments().constFirst().toBool())
                return tryNext(attempt);
            QDBusMessage call =
                QDBusMessage::createMethodCall(manager.service, manager.path, manager.interface, manager.method);
            call.setArguments(manager.arguments);
            DBusCalls::callAsync(
                m_bus, call, DBusCalls::ActionTimeoutMs, &m_calls, [this, attempt, manager](const QDBusMessage& reply) {
                    if (DBusCalls::succeeded(reply))
                        return attempt->done(Result::Accepted);
                    DBusCalls::report(QStringLiteral("Abmelden über ") + manager.service +
                                      QStringLiteral(" fehlgeschlagen: ") + DBusCalls::errorText(reply));
                    attempt->refused = true;
                    tryNext(attempt);
                });
        });
}

} // namespace kelvaro
