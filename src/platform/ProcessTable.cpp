#include "platform/ProcessTable.h"

#include <QByteArray>
#include <QDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvaro {

namespace {

/** At most `limit` bytes of a file of /proc; nothing when it cannot be read (the process went). */
std::optional<QByteArray> readProcFile(const QByteArray& path, qsizetype limit)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes(limit, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < limit) {
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(limit - filled));
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        filled += got;
    }
    ::close(fd);
    bytes.truncate(filled);
    return bytes;
}

} // namespace

QString ProcessEntry::name() const
{
    // The kernel keeps 15 characters of a name; a longer one is read from how the program was started.
    constexpr qsizetype kernelNameLength = 15;
    if (comm.size() == kernelNameLength && argv0Name.size() > comm.size() && argv0Name.startsWith(comm))
        return argv0Name;
    return comm;
}

bool ProcessEntry::isNamed(const QString& wanted) const
{
    return !wanted.isEmpty() && (wanted == comm || wanted == argv0Name);
}

std::optional<ProcessEntry> ProcessTable::read(qint64 pid)
{
    if (pid <= 0)
        return std::nullopt;
    const QByteArray folder = "/proc/" + QByteArray::number(pid);
    struct stat owner
    {};
    if (::stat(folder.constData(), &owner) != 0)
        return std::nullopt;
    const std::optional<QByteArray> stat = readProcFile(folder + "/stat", 4096);
    if (!stat)
        return std::nullopt;
    // "pid (comm) state ppid ...": the name may hold blanks and parentheses, so it ends at the last ')'.
    const qsizetype open = stat->indexOf('(');
    const qsizetype close = stat->lastIndexOf(')');
    if (open < 0 || close < open)
        return std::nullopt;
    const QList<QByteArray> fields = stat->mid(close + 2).split(' ');
    // After the name: state (field 3 of the line), ..., starttime (field 22).
    constexpr qsizetype stateField = 0, startTimeField = 19;
    if (fields.size() <= startTimeField || fields[stateField].isEmpty())
        return std::nullopt;

    ProcessEntry entry;
    entry.pid = pid;
    entry.uid = owner.st_uid;
    entry.comm = QString::fromUtf8(stat->mid(open + 1, close - open - 1));
    entry.state = fields[stateField].at(0);
    entry.startTime = fields[startTimeField].toULongLong();
    if (const std::optional<QByteArray> cmdline = readProcFile(folder + "/cmdline", 4096)) {
        const qsizetype end = cmdline->indexOf('\0');
        const QByteArray argv0 = end < 0 ? *cmdline : cmdline->left(end);
        entry.argv0Name = QString::fromUtf8(argv0.mid(argv0.lastIndexOf('/') + 1));
    }
    return entry;
}

QList<ProcessEntry> ProcessTable::all()
{
    QList<ProcessEntry> entries;
    const QStringList names = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        bool number = false;
        const qint64 pid = name.toLongLong(&number);
        if (!number)
            continue;
        if (std::optional<ProcessEntry> entry = read(pid))
            entries << *entry;
    }
    return entries;
}

} // namespace kelvaro
