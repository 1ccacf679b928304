#include "platform/DBusNotifications.h"

#include "platform/DBusCalls.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <utility>

namespace kelvaro {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
/** The server's default display time. */
constexpr int ServerDefaultTimeout = -1;
/** How long a question to the server may take before the notification counts as failed (D-Bus's
 *  own limit is 25 s, too late for an announcement). */
constexpr int ReplyTimeoutMs = 5000;

QDBusMessage serverCall(const QString& method, const QList<QVariant>& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, method);
    call.setArguments(arguments);
    return call;
}

uchar urgencyLevel(Notification::Urgency urgency)
{
    switch (urgency) {
    case Notification::Urgency::Low:
        return 0;
    case Notification::Urgency::Critical:
        return 2;
    case Notification::Urgency::Normal:
        break;
    }
    return 1;
}

} // namespace

DBusNotifications::DBusNotifications(BusConnector sessionBus, Sender sender)
    : m_connect(std::move(sessionBus)), m_sender(std::move(sender))
{}

DBusNotifications::~DBusNotifications()
{
    // Notifications still up would outlive the program with actions that lead nowhere.
    for (const auto& [id, entry] : m_entries)
        if (entry.serverId != 0)
            closeOnServer(entry.serverId);
}

QDBusConnection& DBusNotifications::bus()
{
    if (!m_bus) {
        m_bus.emplace(m_connect());
        if (m_bus->isConnected()) {
            m_bus->connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                           SLOT(actionInvoked(uint, QString)));
            m_bus->connect(Service, Path, Interface, QStringLiteral("ActivationToken"), this,
                           SLOT(activationToken(uint, QString)));
            m_bus->connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                           SLOT(notificationClosed(uint, uint)));
        }
    }
    return *m_bus;
}

bool DBusNotifications::available()
{
    // Asked of the bus daemon, which always answers at once; the server itself may be busy or hang.
    const QDBusConnection& connection = bus();
    return connection.isConnected() &&
           (DBusCalls::nameHasOwner(connection, Service) || DBusCalls::isActivatable(connection, Service));
}

Notifications::Id DBusNotifications::show(const Notification& notification, ActionHandler onAction,
                                          FailureHandler onFailure)
{
    if (!available())
        return 0;
    const Id id = ++m_lastId;
    Entry& entry = m_entries[id];
    entry.onAction = std::move(onAction);
    entry.onFailure = std::move(onFailure);

    // What the body may hold and whether actions are shown depends on the server, which may have
    // changed since the last notification: it is asked every time.
    auto* capabilities = new QDBusPendingCallWatcher(
        bus().asyncCall(serverCall(QStringLiteral("GetCapabilities")), ReplyTimeoutMs), this);
    connect(capabilities, &QDBusPendingCallWatcher::finished, this,
            [this, id, notification](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QStringList> reply = *call;
                const auto it = m_entries.find(id);
                if (it == m_entries.end())
                    return;
                if (it->second.withdrawn) {
                    m_entries.erase(it);
                    return;
                }
                if (reply.isError()) {
                    failed(it->second);
                    m_entries.erase(it);
                    return;
                }
                notify(id, notification, reply.value());
            });
    return id;
}

void DBusNotifications::notify(Id id, const Notification& notification, const QStringList& capabilities)
{
    QStringList actions;
    if (capabilities.contains(QStringLiteral("actions"))) {
        if (notification.defaultAction)
            actions << defaultActionKey() << QString();
        for (const auto& [key, label] : notification.actions)
            actions << key << label;
    } else if (!notification.actions.isEmpty()) {
        // The text goes up all the same; the caller offers the choices some other way.
        failed(m_entries[id]);
    }
    QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(urgencyLevel(notification.urgency))}};
    if (!m_sender.desktopEntry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), m_sender.desktopEntry);
    const QString body =
        capabilities.contains(QStringLiteral("body-markup")) ? escapeMarkup(notification.body) : notification.body;

    const QDBusMessage call =
        serverCall(QStringLiteral("Notify"), {m_sender.appName, 0U, m_sender.appIcon, notification.summary, body,
                                              actions, hints, ServerDefaultTimeout});
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call, ReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, id](QDBusPendingCallWatcher* reply) {
        reply->deleteLater();
        const QDBusPendingReply<uint> serverId = *reply;
        const auto it = m_entries.find(id);
        if (it == m_entries.end())
            return;
        if (serverId.isError() || serverId.value() == 0) {
            if (!it->second.withdrawn)
                failed(it->second);
            m_entries.erase(it);
        } else if (it->second.withdrawn) {
            closeOnServer(serverId.value());
            m_entries.erase(it);
        } else {
            it->second.serverId = serverId.value();
        }
    });
}

void DBusNotifications::withdraw(Id id)
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end())
        return;
    if (it->second.serverId != 0) {
        closeOnServer(it->second.serverId);
        m_entries.erase(it);
        return;
    }
    // The server has not given its id yet: the notification is closed when it comes.
    it->second.withdrawn = true;
    it->second.onAction = {};
    it->second.onFailure = {};
}

void DBusNotifications::failed(Entry& entry)
{
    if (const FailureHandler handler = std::exchange(entry.onFailure, {}))
        handler();
}

void DBusNotifications::closeOnServer(uint serverId)
{
    bus().send(serverCall(QStringLiteral("CloseNotification"), {serverId}));
}

std::map<Notifications::Id, DBusNotifications::Entry>::iterator DBusNotifications::findByServerId(uint serverId)
{
    // The server numbers the notifications of every program alike: only ids it gave this one count.
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        if (serverId != 0 && it->second.serverId == serverId)
            return it;
    return m_entries.end();
}

void DBusNotifications::activationToken(uint serverId, const QString& token)
{
    const auto it = findByServerId(serverId);
    if (it != m_entries.end())
        it->second.activationToken = token;
}

void DBusNotifications::actionInvoked(uint serverId, const QString& key)
{
    const auto it = findByServerId(serverId);
    if (it == m_entries.end())
        return;
    // Taken out first: an action is reported once, and the handler may withdraw the notification.
    const ActionHandler handler = std::exchange(it->second.onAction, {});
    const QString token = std::exchange(it->second.activationToken, {});
    if (!handler)
        return;
    // A Wayland compositor lets a window take the focus only with a token from the user's action;
    // Qt takes it from the environment when the handler asks for the focus.
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    handler(key);
    if (!token.isEmpty())
        qunsetenv("XDG_ACTIVATION_TOKEN");
}

void DBusNotifications::notificationClosed(uint serverId, uint /*reason*/)
{
    const auto it = findByServerId(serverId);
    if (it != m_entries.end())
        m_entries.erase(it);
}

QString DBusNotifications::escapeMarkup(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            escaped += QStringLiteral("&amp;");
        else if (c == u'<')
            escaped += QStringLiteral("&lt;");
        else if (c == u'>')
            escaped += QStringLiteral("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

} // namespace kelvaro
