#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvaro {

/** One process as /proc shows it. */
struct ProcessEntry
{
    qint64 pid = 0;
    /** The owner: the user the process runs as. */
    uint uid = 0;
    /** The kernel's name of the process (at most 15 characters). */
    QString comm;
    /** The file name of the program it was started as (argv[0] without its folder); empty for
     *  kernel threads. */
    QString argv0Name;
    /** The kernel's state letter: R, S, D, Z (ended, not yet collected by its parent) and so on. */
    char state = '?';
    /** When the process started, in clock ticks after boot: with the number, it tells one process
     *  from a later one that got the same number. */
    quint64 startTime = 0;

    /** Whether it still runs: not ended (a zombie that waits to be collected counts as ended). */
    bool alive() const { return state != 'Z' && state != 'X' && state != 'x'; }
    /** The name a user knows it by: the kernel's name, or argv[0]'s where the kernel cut it short. */
    QString name() const;
    /** Whether `name` names it: its kernel name or the file name it was started as. */
    bool isNamed(const QString& name) const;
    /** The same process (not a later one with the same number). */
    bool sameAs(const ProcessEntry& other) const { return pid == other.pid && startTime == other.startTime; }
};

/** Reads processes from /proc. Processes that end while they are read are left out. */
namespace ProcessTable {

/** The process with number `pid`, if there is one (also a zombie). */
std::optional<ProcessEntry> read(qint64 pid);
/** Every process of the system. */
QList<ProcessEntry> all();

} // namespace ProcessTable

} // namespace kelvaro
