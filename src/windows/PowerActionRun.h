#pragma once

#include "core/Notifications.h"
#include "core/PowerFailure.h"
#include "core/RunAnnouncement.h"
#include "core/RunPower.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace kelvaro {

class Announcer;
class MessageBoxes;
class PowerActions;
class TAktionsfehler;

/**
 * The power action of a run, from its start to its outcome. At Start it asks the system whether the
 * action may be carried out and refuses the run with a box that says why; at the announcement it
 * names a program that blocks the action and offers to carry it out all the same; at the end it
 * carries the action out and reports a failure: a window (TAktionsfehler) and, where a notification
 * server runs, a critical notification, both with the choices to retry or to force. A failure stays
 * in the status note until the next Start. The announcement itself is shown by the Announcer.
 */
class PowerActionRun : public QObject, public RunPower
{
    Q_OBJECT

public:
    struct Links
    {
        PowerActions& power;
        MessageBoxes& boxes;
        Notifications& notifications;
        Announcer& announcer;
    };

    /** How long Start waits for the system's answer before the run starts all the same. */
    static constexpr int kStartQuestionMs = 1000;

    /** The action keys of the report notification's choices. */
    static QString retryKey() { return QStringLiteral("erneut"); }
    static QString forceKey() { return QStringLiteral("trotzdem"); }
    static QString closeKey() { return QStringLiteral("schliessen"); }

    explicit PowerActionRun(Links links);
    ~PowerActionRun() override;

    /** A run of `action` is about to start: false (after an error box that says why) when the
     *  system cannot or may not carry it out. Clears the note and the report of an earlier run. */
    bool mayStart(quint8 action) override;
    /** What the status bar adds for the run: that a password will be asked for, or the failure. */
    QString statusNote() const { return m_note; }
    /** The title line of the failure reported last, until the next Start; empty after a success. */
    QString failure() const { return m_failure; }
    /** The run stopped or expired: the password note goes; a failure stays until the next Start. */
    void runEnded() override;
    /** Told when the note or the failure changed. */
    std::function<void()> noteChanged;

    /** Shows `announcement`, and again, naming it, when a program blocks the action. */
    void announce(const RunAnnouncement& announcement, qint64 endMs, qint64 secondsLeft) override;
    void setEnd(qint64 endMs) override;
    void setSecondsLeft(qint64 secondsLeft) override;
    /** Takes the announcement back; a late answer about a blocking program is dropped. */
    void withdraw() override;
    /** "Trotzdem ausführen" in the announcement: the action will be forced at the end. */
    void forceAtEnd();

    /** Carries out `action` (forced when `force` is set or chosen in the announcement);
     *  `succeeded` runs when the system accepted, else the failure is reported. */
    void carryOut(quint8 action, bool force, std::function<void()> succeeded) override;

    /** The report window; null until the first failure. */
    TAktionsfehler* reportWindow() const { return m_window.get(); }

private:
    void show(const RunAnnouncement& announcement);
    void finished(const PowerOutcome& outcome);
    void report(const PowerFailure& failure);
    void closeReport();
    void chosen(const QString& key);
    void setNote(const QString& note, const QString& failure = {});

    Links m_links;
    QString m_note;
    QString m_failure;
    bool m_forceAtEnd = false;
    quint64 m_announcement = 0; // counts the announcements, so that a late answer finds its own
    RunAnnouncement m_announced;
    bool m_up = false; // whether an announcement is up
    qint64 m_endMs = 0;
    qint64 m_secondsLeft = 0;

    // The action carried out last, for "Erneut versuchen" and "Trotzdem ausführen".
    quint8 m_action = 0;
    bool m_force = false;
    std::function<void()> m_succeeded;

    std::unique_ptr<TAktionsfehler> m_window;
    Notifications::Id m_notification = 0;
};

} // namespace kelvaro
