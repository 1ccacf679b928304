#pragma once

#include "core/Notifications.h"

#include <functional>
#include <memory>

namespace kelvaro {

struct RunAnnouncement;
class TVorwarnung;

/**
 * Shows the announcement of a power action: as a critical desktop notification with the choices
 * "Abbrechen" and "5 Minuten später" when a notification server is there, else, or when the server
 * fails or cannot offer the choices, in the program's own window (TVorwarnung). One announcement is
 * up at a time.
 */
class Announcer
{
public:
    struct Choices
    {
        std::function<void()> cancel;
        std::function<void()> postpone;
        /** "Trotzdem ausführen", offered while a program blocks the action. */
        std::function<void()> force;
    };

    /** The action keys of the notification's two choices. */
    static QString cancelKey() { return QStringLiteral("abbrechen"); }
    static QString postponeKey() { return QStringLiteral("spaeter"); }
    static QString forceKey() { return QStringLiteral("trotzdem"); }

    Announcer(Notifications& notifications, Choices choices);
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;
    /** Takes an announcement that is up back. */
    ~Announcer();

    /** Shows `announcement` with the seconds left, in place of one that is up. */
    void show(const RunAnnouncement& announcement, qint64 secondsLeft);
    /** The countdown of the window (a notification keeps its text). */
    void setSecondsLeft(qint64 secondsLeft);
    void withdraw();

    /** The window used without a notification server; null until it was first needed. */
    TVorwarnung* window() const { return m_window.get(); }

private:
    void showWindow(const RunAnnouncement& announcement, qint64 secondsLeft);
    void chosen(const QString& key);

    Notifications& m_notifications;
    Choices m_choices;
    Notifications::Id m_id = 0;
    std::unique_ptr<TVorwarnung> m_window;
};

} // namespace kelvaro
