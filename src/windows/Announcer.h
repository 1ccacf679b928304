#pragma once

#include "core/Notifications.h"

#include <QList>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>

namespace kelvaro {

class Clock;
struct RunAnnouncement;
class Timer;
class TimerService;
class TVorwarnung;

/**
 * Shows the announcement of a power action: as a critical desktop notification with the choices
 * "Abbrechen" and "5 Minuten später" (and "Trotzdem ausführen" while a program blocks the action)
 * when a notification server is there, else in the program's own
 * window (TVorwarnung). The window also stands in when the server fails, cannot offer the choices,
 * or has not taken the notification within StandInMs: an activatable server that never comes up, or
 * one that never answers, must not leave the user without the announcement. One announcement is up
 * at a time; the moment it is on the screen is reported, so that the run can give it its lead time.
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
    /** Told once per announcement, with the moment it came on the screen. */
    using ShownHandler = std::function<void(qint64 atMs)>;

    /** How long a notification may take to be confirmed by the server before the window stands in. */
    static constexpr qint64 StandInMs = 2000;

    /** The action keys of the notification's two choices. */
    static QString cancelKey() { return QStringLiteral("abbrechen"); }
    static QString postponeKey() { return QStringLiteral("spaeter"); }
    static QString forceKey() { return QStringLiteral("trotzdem"); }

    Announcer(Notifications& notifications, TimerService& timers, const Clock& clock, Choices choices,
              ShownHandler onShown);
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;
    /** Takes an announcement that is up back. */
    ~Announcer();

    /** The areas of the screen (global coordinates, the most important first) that the window must
     *  not cover when it opens, asked each time it does. */
    void setKeepClear(std::function<QList<QRect>()> areas) { m_keepClear = std::move(areas); }

    /** Shows `announcement` of the action at `endMs`, with the seconds left; one that is up changes in
     *  its place (the notification is replaced, the window keeps its place). */
    void show(const RunAnnouncement& announcement, qint64 endMs, qint64 secondsLeft);
    /** The action has moved to `endMs`: the notification is replaced in its place, the window follows. */
    void setEnd(qint64 endMs);
    /** The countdown of the window (a notification names the clock time instead). */
    void setSecondsLeft(qint64 secondsLeft);
    void withdraw();

    /** The window that stands in for the notification; null until it was first needed. */
    TVorwarnung* window() const { return m_window.get(); }

private:
    Notification notification() const;
    QString endTime() const;
    /** The window in place of the notification. */
    void standIn();
    void onScreen();
    void chosen(const QString& key);

    Notifications& m_notifications;
    const Clock& m_clock;
    Choices m_choices;
    ShownHandler m_onShown;
    std::function<QList<QRect>()> m_keepClear;
    std::unique_ptr<Timer> m_standIn;
    std::unique_ptr<TVorwarnung> m_window;

    // The announcement that is up.
    std::unique_ptr<RunAnnouncement> m_announcement;
    qint64 m_endMs = 0;
    qint64 m_secondsLeft = 0;
    Notifications::Id m_id = 0;
    bool m_onScreen = false;
};

} // namespace kelvaro
