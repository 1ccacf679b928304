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
 * and a server that answers late or never delays nothing; whether a server is there is asked of the
 * bus in the background, so available() answers from what the bus said last. Before each
 * notification the server's capabilities are asked: the body is escaped for a server that reads it
 * as markup, and actions are offered only to a server that shows them. A notification withdrawn
 * before the server has given it an id is closed as soon as the id comes. Failures are quiet: the
 * notification is then simply not there.
 *
 * When the object goes (the program ends), every notification still up is closed, and it waits a
 * moment until the server has them closed, so that none outlives the program.
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

    /** The longest the program waits on its way out for the server to close its notifications. */
    static constexpr int ExitWaitMs = 1000;

    /** Connects to `sessionBus` only when a notification is first asked for. */
    DBusNotifications(BusConnector sessionBus, Sender sender);
    /** Closes the notifications still up and waits for them at most ExitWaitMs. */
    ~DBusNotifications() override;

    /** False once the bus has said that no server runs and none can be started; true while that is
     *  not known yet, so the first notification is tried (a missing server then fails it at once). */
    bool available() override;
    Id show(const Notification& notification, ActionHandler onAction = {}, FailureHandler onFailure = {},
            ShownHandler onShown = {}) override;
    void update(Id id, const Notification& notification) override;
    void withdraw(Id id) override;

    /** Waits, in an event loop of its own, until every close sent has reached the bus, and every
     *  notification withdrawn while its Notify was on its way has been answered and closed; at most
     *  `timeoutMs`. */
    void finish(int timeoutMs);

    /** `text` with `&`, `<` and `>` written as entities, for a server that reads the body as markup. */
    static QString escapeMarkup(const QString& text);

private Q_SLOTS:
    void actionInvoked(uint serverId, const QString& key);
    void activationToken(uint serverId, const QString& token);
    void notificationClosed(uint serverId, uint reason);

private:
    struct Entry
    {
        /** The text to show: the latest given. */
        Notification notification;
        /** What the server can show; asked before the first Notify. */
        std::optional<QStringList> capabilities;
        /** The server's id once Notify has answered; 0 before. */
        uint serverId = 0;
        /** A Notify is on its way; `changed` when the text changed meanwhile. */
        bool sending = false;
        bool changed = false;
        ActionHandler onAction;
        /** Whether a choice of the text shown last is still to be reported. */
        bool actionsLive = true;
        FailureHandler onFailure;
        ShownHandler onShown;
        /** Withdrawn while the server's answer was awaited: closed as soon as it comes. */
        bool withdrawn = false;
        /** The token the server sent with the user's choice, for a Wayland compositor to let the
         *  program's window take the focus. */
        QString activationToken;
    };

    QDBusConnection& bus();
    /** Asks the bus in the background whether the server runs or can be started. */
    void askPresence();
    void capabilitiesAnswered(Id id, const QStringList& capabilities, bool answered);
    /** Sends the entry's text: a new notification, or the replacement of the one up. */
    void sendNotify(Id id);
    void notifyAnswered(Id id, uint serverId);
    void closeOnServer(uint serverId);
    /** Tells the entry's failure handler, once. */
    void failed(Entry& entry);
    std::map<Id, Entry>::iterator findByServerId(uint serverId);
    /** Sends what still has to go for finish() to be done; true when nothing is outstanding. */
    bool flush();
    void settled();

    BusConnector m_connect;
    Sender m_sender;
    std::optional<QDBusConnection> m_bus;
    std::map<Id, Entry> m_entries;
    Id m_lastId = 0;
    // What the bus said last: whether the server's name has an owner, and whether it is activatable.
    std::optional<bool> m_owned;
    std::optional<bool> m_activatable;
    int m_presenceQuestions = 0;
    /** Closes sent since the bus daemon last confirmed it had everything, and whether it is asked. */
    bool m_unflushed = false;
    bool m_pinging = false;
    std::function<void()> m_onSettled;
};

} // namespace kelvaro
