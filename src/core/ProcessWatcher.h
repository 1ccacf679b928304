#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

namespace kelvaro {

/** A program the user runs: its process number and its name. */
struct RunningProgram
{
    qint64 pid = 0;
    QString name;

    /** How the list of running programs shows it, for example "wget (4711)". */
    QString label() const;

    bool operator==(const RunningProgram&) const = default;
};

/** The program a run waits for, as the user names it: a process number (digits only) or a program
 *  name. Blanks around the text are not part of it. */
struct ProgramTarget
{
    std::optional<qint64> pid;
    QString name;

    static ProgramTarget parse(const QString& text);
    /** Nothing named at all. */
    bool empty() const { return !pid && name.isEmpty(); }
    /** The text as the user means it: the number or the name. */
    QString text() const { return pid ? QString::number(*pid) : name; }
};

/** The watch over one program that a run waits for; destroying it stops the watching. */
class ProcessWatch
{
public:
    virtual ~ProcessWatch() = default;
    /** What the run waits for, as the caption and the tip name it: the name, for a process number
     *  the name with the number, for example "sleep (4711)". */
    virtual QString description() const = 0;
};

/**
 * The processes of the system, for a run that waits for the end of a program: the user's running
 * programs to choose from, and the watch over one of them.
 */
class ProcessWatcher
{
public:
    virtual ~ProcessWatcher() = default;

    /** The programs the user runs now (this program left out), sorted by name and number. */
    virtual QList<RunningProgram> runningPrograms() = 0;
    /**
     * Watches the program `target` names: the process with that number, or every process of the
     * user with that name. Nothing when no such process runs. Otherwise `ended` is called once, from
     * the event loop, when the process has ended; for a name, when no process of the user with that
     * name is left. `ended` may destroy the watch.
     */
    virtual std::unique_ptr<ProcessWatch> watch(const ProgramTarget& target, std::function<void()> ended) = 0;
};

} // namespace kelvaro
