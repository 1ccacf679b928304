#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <utility>

namespace kelvaro {

/** A desktop notification as the program sends it. */
struct Notification
{
    enum class Urgency { Low, Normal, Critical };

    QString summary;
    /** Plain text: the service escapes it where the server would read it as markup. */
    QString body;
    Urgency urgency = Urgency::Normal;
    /** The buttons offered with it, in order: each an action key and its label. */
    QList<std::pair<QString, QString>> actions;
    /** Whether a click on the notification itself is reported (as the action key "default"). */
    bool defaultAction = false;
};

/**
 * The desktop's notifications (org.freedesktop.Notifications on Linux). Nothing here waits for the
 * notification server: a slow or hanging server never delays the caller, and without a server
 * nothing is shown and nothing is reported.
 */
class Notifications
{
public:
    /** The program's own handle of a notification; 0 stands for none. */
    using Id = quint64;
    /** Receives the key of the action the user chose ("default" for the notification itself). */
    using ActionHandler = std::function<void(const QString& key)>;
    /** Told, at most once, that a notification could not be shown as asked: the server failed or did
     *  not answer in time, or it cannot offer the notification's actions (its text may be up all the
     *  same). The caller then has to reach the user some other way. */
    using FailureHandler = std::function<void()>;
    /** Told, at most once, that the server has taken the notification and given it its number: it
     *  is on the screen now. */
    using ShownHandler = std::function<void()>;

    /** The action key of a click on the notification itself. */
    static QString defaultActionKey() { return QStringLiteral("default"); }

    virtual ~Notifications() = default;

    /** Whether a notification server is there to show notifications (running, or started by the
     *  session bus on demand). Asked of the bus, not of the server, so it answers at once. */
    virtual bool available() = 0;

    /** Shows `notification` and returns its handle; `onAction` gets the action the user chooses,
     *  at most once, on the program's own thread, `onFailure` hears when it could not be shown as
     *  asked, and `onShown` when the server has taken it. None is called after withdraw(). */
    virtual Id show(const Notification& notification, ActionHandler onAction = {}, FailureHandler onFailure = {},
                    ShownHandler onShown = {}) = 0;
    /** Replaces the text of a notification shown before, in its place on the screen; its actions
     *  and handlers stay. A notification the server has not taken yet gets the new text when it
     *  does; nothing when it has gone already. */
    virtual void update(Id id, const Notification& notification) = 0;
    /** Withdraws a notification shown before; nothing when it has gone already or never came up. */
    virtual void withdraw(Id id) = 0;

    /** Notifications that are never shown anywhere. */
    static Notifications& none();
};

} // namespace kelvaro
