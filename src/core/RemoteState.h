#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvaro {

/**
 * What a running program shows outside about its run: the state, the action and its moments, the
 * message and the name of the current set. Every program offers it on the session bus, and the
 * verbs read it there. Names are the ones the bus interface carries; they never change with the
 * language.
 */
struct RemoteState
{
    enum class Run { Idle, Running, Announced, Waiting, Stopwatch };

    Run run = Run::Idle;
    /** The action the run ends with (an Aktion code); the options' action while idle. */
    quint8 action = 0;
    /** The start of the run, milliseconds since the epoch; 0 while idle. */
    qint64 startMs = 0;
    /** The end of a countdown or clock-time run, milliseconds since the epoch; 0 without an end. */
    qint64 endMs = 0;
    QString message;
    QString preset;

    bool operator==(const RemoteState&) const = default;

    /** "idle", "running", "announced", "waiting" (for a program's end), "stopwatch". */
    static QString runName(Run run);
    static std::optional<Run> runFromName(const QString& name);
    /** "message", "poweroff", "reboot", "logout", "suspend", "hibernate", "lock"; empty for a code
     *  that names no action. */
    static QString actionName(quint8 action);
    /** The Aktion code of an action name; nothing for an unknown name. */
    static std::optional<quint8> actionFromName(const QString& name);

    /** Whether a run goes on (any state but idle). */
    bool active() const { return run != Run::Idle; }
    /** Whether the run counts down to an end (it can be postponed). */
    bool timed() const { return run == Run::Running || run == Run::Announced; }
};

} // namespace kelvaro
