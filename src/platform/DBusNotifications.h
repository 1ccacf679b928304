#pragma once

#include "core/Notifications.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>

namespace kelvaro {

/**
 * Desktop notifications through the notification server of the session bus
 * (org.freedesktop.Notifications). Every call to the server is asynchronous: show() returns at once,
 * and a server that answers late or never delays nothing. Before each notification the server's
 * capabilities are asked: the body is escaped for a server that reads it as markup, and actions are
 * offered only to a server that shows them. A notification withdrawn before the server has given it
 * an id is closed as soon as the id comes. Failures are quiet: the notification is then simply not
 * there.
 */
class DBusNotifications : public QObject, public Notifications
{
    Q_OBJECT

public:
    using BusConnector = std::function<QDBusConnection()>;

    /** How the program presents itself to the notification server. */
    struct Sender
    {
        QString appName;
        /** An icon name of the desktop's icon theme. */
        QString appIcon;
        /** The program's desktop entry without ".desktop" (the "desktop-entry" hint); may be empty. */
        QString desktopEntry;
    };

    /** Connects to `sessionBus` only when a notification is first asked for. */
    DBusNotifications(BusConnector sessionBus, Sender sender);
    ~DBusNotifications() override;

    bool available() override;
    Id show(const Notification& notification, ActionHandler onAction = {}, FailureHandler onFailure = {}) override;
    void withdraw(Id id) override;

    /** `text` with `&`, `<` and `>` written as entities, for a server that reads the body as markup. */
    static QString escapeMarkup(const QString& text);

private Q_SLOTS:
    void actionInvoked(uint serverId, const QString& key);
    void activationToken(uint serverId, const QString& token);
    void notificationClosed(uint serverId, uint reason);

private:
    struct Entry
    {
        /** The server's id once Notify has answered; 0 before. */
        uint serverId = 0;
        ActionHandler onAction;
        FailureHandler onFailure;
        /** Withdrawn before the server gave its id: closed as soon as the id comes. */
        bool withdrawn = false;
        /** The token the server sent with the user's choice, for a Wayland compositor to let the
         *  program's window take the focus. */
        QString activationToken;
    };

    QDBusConnection& bus();
    void notify(Id id, const Notification& notification, const QStringList& capabilities);
    void closeOnServer(uint serverId);
    /** Tells the entry's failure handler, once. */
    void failed(Entry& entry);
    std::map<Id, Entry>::iterator findByServerId(uint serverId);

    BusConnector m_connect;
    Sender m_sender;
    std::optional<QDBusConnection> m_bus;
    std::map<Id, Entry> m_entries;
    Id m_lastId = 0;
};

} // namespace kelvaro
