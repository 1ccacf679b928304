#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvaro {

class TEinst;

/** What the announcement of a power action before the end of a run says. */
struct RunAnnouncement
{
    quint8 action = 0;
    /** Whether the action is forced (shut down, restart and log off only). */
    bool forced = false;
    /** The program that blocks the action, as a sentence ("Firefox verhindert das Herunterfahren:
     *  Download läuft"), or empty. An announcement that names one offers to carry it out all the same. */
    QString blocker = {};

    /** The announcement of the action the options name, or nothing when it is not announced: the
     *  message, locking the screen, an unknown action, or a lead time of 0. */
    static std::optional<RunAnnouncement> of(const TEinst& options);

    /** The name of the action, for example "Herunterfahren": the heading of a notification, whose
     *  text stays as it is while it is up. */
    QString name() const;
    /** The countdown of the announcement window, for example "Herunterfahren in 60 Sekunden". */
    QString summary(qint64 secondsLeft) const;
    /** When the action comes, by the clock time `endTime` ("hh:nn:ss"), with "(erzwungen)" for a
     *  forced action: "um 23:00:00 (erzwungen)". */
    QString body(const QString& endTime) const;

    /** The whole seconds shown for `msLeft`, cut off as the main window's time left shows them, so
     *  that the announcement and the main window always name the same number. */
    static qint64 secondsLeft(qint64 msLeft);

    /** The labels of the two choices an announcement offers. */
    static QString cancelLabel() { return QCoreApplication::translate("RunAnnouncement", "Abbrechen"); }
    static QString postponeLabel() { return QCoreApplication::translate("RunAnnouncement", "5 Minuten später"); }
    /** The label of the third choice when a program blocks the action. */
    static QString forceLabel() { return QCoreApplication::translate("RunAnnouncement", "Trotzdem ausführen"); }

    bool operator==(const RunAnnouncement&) const = default;
};

} // namespace kelvaro
