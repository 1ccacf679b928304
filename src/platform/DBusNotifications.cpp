#include "platform/DBusNotifications.h"

#include "platform/DBusCalls.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QTimer>
#include <QVariantMap>

#include <utility>
#include <vector>

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

QDBusMessage busCall(const QString& method, const QList<QVariant>& arguments = {})
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), method);
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
    std::vector<Id> up;
    for (const auto& [id, entry] : m_entries)
        if (!entry.withdrawn)
            up.push_back(id);
    for (const Id id : up)
        withdraw(id);
    finish(ExitWaitMs);
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
    if (!bus().isConnected())
        return false;
    askPresence();
    return m_owned != false || m_activatable != false;
}

void DBusNotifications::askPresence()
{
    // The bus daemon answers at once, but a busy or stopped daemon must not hold the program up:
    // the answers are kept for the next question.
    if (m_presenceQuestions > 0)
        return;
    const auto ask = [this](const QDBusMessage& question, std::function<void(const QDBusMessage&)> answered) {
        ++m_presenceQuestions;
        auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(question, DBusCalls::QueryTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, answered](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            --m_presenceQuestions;
            answered(call->reply());
        });
    };
    ask(busCall(QStringLiteral("NameHasOwner"), {Service}), [this](const QDBusMessage& reply) {
        m_owned = DBusCalls::succeeded(reply) ? std::optional(reply.arguments().value(0).toBool()) : std::nullopt;
    });
    ask(busCall(QStringLiteral("ListActivatableNames")), [this](const QDBusMessage& reply) {
        m_activatable = DBusCalls::succeeded(reply)
                            ? std::optional(reply.arguments().value(0).toStringList().contains(Service))
                            : std::nullopt;
    });
}

Notifications::Id DBusNotifications::show(const Notification& notification, ActionHandler onAction,
                                          FailureHandler onFailure, ShownHandler onShown)
{
    if (!available())
        return 0;
    const Id id = ++m_lastId;
    Entry& entry = m_entries[id];
    entry.notification = notification;
    entry.onAction = std::move(onAction);
    entry.onFailure = std::move(onFailure);
    entry.onShown = std::move(onShown);

    // What the body may hold and whether actions are shown depends on the server, which may have
    // changed since the last notification: it is asked every time.
    auto* capabilities = new QDBusPendingCallWatcher(
        bus().asyncCall(serverCall(QStringLiteral("GetCapabilities")), ReplyTimeoutMs), this);
    connect(capabilities, &QDBusPendingCallWatcher::finished, this, [this, id](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<QStringList> reply = *call;
        capabilitiesAnswered(id, reply.isError() ? QStringList() : reply.value(), !reply.isError());
    });
    return id;
}

void DBusNotifications::capabilitiesAnswered(Id id, const QStringList& capabilities, bool answered)
{
    auto it = m_entries.find(id);
    if (it == m_entries.end())
        return;
    if (!it->second.withdrawn && !answered)
        failed(it->second);
    else if (!it->second.withdrawn && !capabilities.contains(QStringLiteral("actions")) &&
             !it->second.notification.actions.isEmpty())
        failed(it->second); // the text goes up all the same; the caller offers the choices some other way
    // The failure handler may have withdrawn it.
    it = m_entries.find(id);
    if (it == m_entries.end())
        return;
    if (it->second.withdrawn || !answered) {
        m_entries.erase(it);
        settled();
        return;
    }
    it->second.capabilities = capabilities;
    sendNotify(id);
}

void DBusNotifications::sendNotify(Id id)
{
    Entry& entry = m_entries.at(id);
    const QStringList& capabilities = *entry.capabilities;
    const Notification& notification = entry.notification;
    QStringList actions;
    if (capabilities.contains(QStringLiteral("actions"))) {
        if (notification.defaultAction)
            actions << defaultActionKey() << QString();
        for (const auto& [key, label] : notification.actions)
            actions << key << label;
    }
    QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(urgencyLevel(notification.urgency))}};
    if (!m_sender.desktopEntry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), m_sender.desktopEntry);
    const QString body =
        capabilities.contains(QStringLiteral("body-markup")) ? escapeMarkup(notification.body) : notification.body;

    // With the id of the notification up, the server replaces it in its place.
    const QDBusMessage call =
        serverCall(QStringLiteral("Notify"), {m_sender.appName, entry.serverId, m_sender.appIcon, notification.summary,
                                              body, actions, hints, ServerDefaultTimeout});
    entry.sending = true;
    entry.changed = false;
    entry.actionsLive = true; // a replacement offers its choices anew
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call, ReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, id](QDBusPendingCallWatcher* reply) {
        reply->deleteLater();
        const QDBusPendingReply<uint> serverId = *reply;
        notifyAnswered(id, serverId.isError() ? 0 : serverId.value());
    });
}

void DBusNotifications::notifyAnswered(Id id, uint serverId)
{
    auto it = m_entries.find(id);
    if (it == m_entries.end())
        return;
    Entry& entry = it->second;
    entry.sending = false;
    if (entry.withdrawn) {
        // The id it had when it was withdrawn has been closed then; a new one is closed now.
        if (serverId != 0 && serverId != entry.serverId)
            closeOnServer(serverId);
        m_entries.erase(it);
        settled();
        return;
    }
    if (serverId == 0) {
        if (entry.serverId == 0) {
            failed(entry);
            if ((it = m_entries.find(id)) != m_entries.end())
                m_entries.erase(it);
            return;
        }
        // A replacement that failed leaves the text up that was there.
    } else {
        const bool first = entry.serverId == 0;
        entry.serverId = serverId;
        if (first)
            if (const ShownHandler shown = std::exchange(entry.onShown, {}))
                shown(); // it may withdraw or change the notification
    }
    it = m_entries.find(id);
    if (it != m_entries.end() && !it->second.withdrawn && it->second.changed)
        sendNotify(id);
}

void DBusNotifications::update(Id id, const Notification& notification)
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.withdrawn)
        return;
    it->second.notification = notification;
    // Sent once the capabilities are known, or once the Notify on its way has answered.
    if (!it->second.capabilities)
        return;
    if (it->second.sending)
        it->second.changed = true;
    else
        sendNotify(id);
}

void DBusNotifications::withdraw(Id id)
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.withdrawn)
        return;
    Entry& entry = it->second;
    if (entry.serverId != 0)
        closeOnServer(entry.serverId);
    if (entry.serverId != 0 && !entry.sending) {
        m_entries.erase(it);
        return;
    }
    // The server has not answered yet: what it answers is closed when it comes.
    entry.withdrawn = true;
    entry.onAction = {};
    entry.onFailure = {};
    entry.onShown = {};
}

void DBusNotifications::failed(Entry& entry)
{
    if (const FailureHandler handler = std::exchange(entry.onFailure, {}))
        handler();
}

void DBusNotifications::closeOnServer(uint serverId)
{
    bus().send(serverCall(QStringLiteral("CloseNotification"), {serverId}));
    m_unflushed = true;
}

bool DBusNotifications::flush()
{
    for (const auto& [id, entry] : m_entries)
        if (entry.withdrawn && entry.sending)
            return false; // its id is to be closed when it comes
    if (m_unflushed && !m_pinging) {
        // The bus daemon answers messages in the order they come, so once it has answered this one,
        // every close sent before has reached it (and goes on to the server even if the program ends).
        m_unflushed = false;
        m_pinging = true;
        auto* ping = new QDBusPendingCallWatcher(
            bus().asyncCall(busCall(QStringLiteral("GetId")), DBusCalls::QueryTimeoutMs), this);
        connect(ping, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            m_pinging = false;
            settled();
        });
    }
    return !m_pinging;
}

void DBusNotifications::settled()
{
    if (m_onSettled && flush())
        m_onSettled();
}

void DBusNotifications::finish(int timeoutMs)
{
    if (flush())
        return;
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    m_onSettled = [&loop] {
        loop.quit();
    };
    loop.exec();
    m_onSettled = {};
}

std::map<Notifications::Id, DBusNotifications::Entry>::iterator DBusNotifications::findByServerId(uint serverId)
{
    // The server numbers the notifications of every program alike: only ids it gave this one count.
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        if (serverId != 0 && it->second.serverId == serverId && !it->second.withdrawn)
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
    // An action is reported once for each showing of the text; the handler may withdraw the
    // notification, so it runs from a copy.
    if (!std::exchange(it->second.actionsLive, false) || !it->second.onAction)
        return;
    const ActionHandler handler = it->second.onAction;
    const QString token = std::exchange(it->second.activationToken, {});
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
    if (it == m_entries.end())
        return;
    if (it->second.sending)
        it->second.serverId = 0; // a replacement on its way comes up as a new notification
    else
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
