#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvaro {

/** The system's answer to "may this user carry the action out now?" */
enum class PowerPermission {
    Yes,          ///< allowed at once
    Challenge,    ///< allowed once the user has authenticated
    No,           ///< not allowed
    NotAvailable, ///< the machine (or the session) cannot do it
};

/**
 * Why a power action did not happen, in the kinds the user can tell apart, with the texts that
 * report it: a title line named for what did not happen and the reason in plain words.
 */
struct PowerFailure
{
    Q_DECLARE_TR_FUNCTIONS(PowerFailure)

public:
    enum class Kind {
        NotAllowed,     ///< no permission (refused, or the system says "no")
        NeedsPassword,  ///< a password would be needed, but no authentication dialog runs
        Inhibited,      ///< another program blocks it (`program`, `why`)
        NotAvailable,   ///< the machine cannot do it
        NoSession,      ///< the program's own session was not found (log off, lock)
        Unreachable,    ///< the system service cannot be reached
        NoAnswer,       ///< the system service did not answer in time
        SessionRefused, ///< the desktop's session manager refused to log off, and so did the system
        Error,          ///< any other error; `why` holds the service's message
    };

    Kind kind = Kind::Error;
    /** The program that holds the block (Inhibited); may be empty when the system does not say. */
    QString program;
    /** The blocking program's reason (Inhibited) or the service's message (Error). */
    QString why;

    /** "Der Rechner wurde nicht heruntergefahren." and the like, for each power action code. */
    static QString headline(quint8 action);
    /** The reason in plain words. */
    QString reason() const;
    /** Whether a forced request could succeed where this one failed: a blocking program or a
     *  session manager that refused can be overridden; a missing permission cannot. */
    bool forcingMayHelp() const;

    /** The error box that refuses to start a run of `action` when the system answered
     *  `permission`; nothing when the run may start. */
    static std::optional<QString> startRefusal(quint8 action, PowerPermission permission);
    /** The status note of a run whose action will ask for a password at the end. */
    static QString passwordNote();
    /** The status note after a failed action (the report says what and why). */
    static QString failedNote();
    /** The sentence an announcement adds for a program that blocks `action`:
     *  "Firefox verhindert das Herunterfahren: Download läuft". */
    static QString blockedBy(quint8 action, const QString& program, const QString& why);

    bool operator==(const PowerFailure&) const = default;
};

/** What became of a power request: nothing when it was accepted, else why it failed. */
using PowerOutcome = std::optional<PowerFailure>;

} // namespace kelvaro
