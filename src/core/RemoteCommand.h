#pragma once

#include "core/RemoteState.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace kelvaro {

/** A running program as the verbs see it: its process number and what it shows on the bus. */
struct RemoteInstance
{
    qint64 pid = 0;
    RemoteState state;
};

/**
 * A command to the running programs, given on the command line in place of an option set:
 * `--list [--json]`, `--stop`, `--postpone=<minutes>`, `--show` (each with an optional
 * `--pid=<pid>`), `--watch [--json]`, `--help` and `--version`.
 */
struct RemoteCommand
{
    enum class Verb { List, Stop, Postpone, Show, Watch, Help, Version };

    Verb verb = Verb::Help;
    bool json = false;
    std::optional<qint64> pid;
    /** How much later `--postpone` moves the end. */
    quint32 postponeSeconds = 0;
    /** Why the command line is refused (a usage error); empty when it is sound. */
    QString usageError;

    /**
     * Whether `arguments` (the program's arguments without its own name) are a command: whether one
     * of them is a verb or an option of the verbs. Each of those starts with two minus signs, which
     * makes an option set invalid, so a command line that carries an option set is never read as a
     * command.
     */
    static bool isCommand(const QStringList& arguments);
    /** Reads a command line for which isCommand() holds; a faulty one comes back with its usageError. */
    static RemoteCommand parse(const QStringList& arguments);
    /** The lines that show how the verbs are called. */
    static QString usage();
};

/** Which running program a verb acts on. */
struct RemoteTarget
{
    enum class Outcome {
        Chosen,
        /** No program runs at all. */
        NoProgram,
        /** No program with the given process number. */
        NoSuchPid,
        /** No program has a run the verb applies to. */
        NoRun,
        /** Several have one, and no process number says which. */
        Several
    };

    Outcome outcome = Outcome::NoProgram;
    /** The chosen program, or the several to choose from. */
    QList<RemoteInstance> candidates;

    /**
     * With a process number, the program of that number, whatever its state (it refuses what it
     * cannot do itself). Without, the one program whose run the verb applies to: any run for
     * `--stop` and `--show`, a countdown or clock-time run for `--postpone`. `--show` takes the only
     * program there is when none has a run.
     */
    static RemoteTarget choose(const RemoteCommand& command, const QList<RemoteInstance>& instances);
};

} // namespace kelvaro
