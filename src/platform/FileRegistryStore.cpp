#include "platform/FileRegistryStore.h"

#include "platform/RegFileFormat.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace kelvaro {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

QString systemError(int code)
{
    return qt_error_string(code);
}

/** One line on stderr; the store has no window to report to. */
void warn(const QString& message)
{
    std::fprintf(stderr, "Kelvaro: %s\n", message.toLocal8Bit().constData());
}

/** Owns a file descriptor and closes it at the end of its scope. */
class UniqueFd
{
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { close(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd)
    {
        close();
        m_fd = fd;
    }
    /** Closes now; false when close reports an error (which can be a failed write-back).
     *  Never retried on EINTR: on Linux the descriptor is gone either way. */
    bool close()
    {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

int openFile(const QString& path, int flags, mode_t mode = 0)
{
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

enum class ReadResult { Read, Missing, Failed };

ReadResult readFile(const QString& path, QByteArray& content, QString* error)
{
    // O_NONBLOCK keeps a FIFO at that path from blocking the open; it is rejected below anyway.
    UniqueFd fd(openFile(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) {
        const int code = errno;
        if (code == ENOENT)
            return ReadResult::Missing;
        fail(error, QStringLiteral("%1 kann nicht geöffnet werden: %2").arg(path, systemError(code)));
        return ReadResult::Failed;
    }
    struct stat info = {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        fail(error, QStringLiteral("%1 ist keine gewöhnliche Datei").arg(path));
        return ReadResult::Failed;
    }
    content.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count > 0) {
            content.append(buffer, count);
        } else if (count == 0) {
            return ReadResult::Read;
        } else if (errno != EINTR) {
            fail(error, QStringLiteral("%1 kann nicht gelesen werden: %2").arg(path, systemError(errno)));
            return ReadResult::Failed;
        }
    }
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t count = ::write(fd, data, static_cast<size_t>(left));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            if (count == 0)
                errno = ENOSPC;
            return false;
        }
        data += count;
        left -= count;
    }
    return true;
}

bool syncFile(int fd)
{
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

/** Creates `folder` and any missing folder above it, each with mode 0700. */
bool makeFolder(const QString& folder, QString* error)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(folder).constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        return fail(error, QStringLiteral("%1 ist kein Ordner").arg(folder));
    }
    const QString parent = QFileInfo(folder).path();
    if (parent != folder && !makeFolder(parent, error))
        return false;
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
        return fail(error, QStringLiteral("Ordner %1 kann nicht angelegt werden: %2").arg(folder, systemError(errno)));
    return true;
}

/** Takes the exclusive lock on `lockPath` (blocking); it is held until `fd` is closed. */
bool lockExclusive(const QString& lockPath, UniqueFd& fd, QString* error)
{
    fd.reset(openFile(lockPath, O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd.valid())
        return fail(error,
                    QStringLiteral("Sperrdatei %1 kann nicht geöffnet werden: %2").arg(lockPath, systemError(errno)));
    while (::flock(fd.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return fail(error, QStringLiteral("%1 kann nicht gesperrt werden: %2").arg(lockPath, systemError(errno)));
    }
    return true;
}

/** Removes the temporary file unless it was renamed into place. */
class TempFileGuard
{
public:
    explicit TempFileGuard(QByteArray path) : m_path(std::move(path)) {}
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    ~TempFileGuard()
    {
        if (!m_path.isEmpty())
            ::unlink(m_path.constData());
    }
    void release() { m_path.clear(); }

private:
    QByteArray m_path;
};

} // namespace

FileRegistryStore::FileRegistryStore(QString path) : m_path(std::move(path)) {}

QString FileRegistryStore::defaultPath()
{
    QString explicitPath = qEnvironmentVariable("KELVARO_REGISTRY");
    if (!explicitPath.isEmpty())
        return explicitPath;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The XDG base directory rules say to ignore a relative path there.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/kelvaro/registry.reg"));
}

RegistryTree FileRegistryStore::load()
{
    // Updates replace the file by renaming, so reading without the lock sees a complete file.
    QString error;
    QByteArray bytes;
    switch (readFile(m_path, bytes, &error)) {
    case ReadResult::Missing:
        return {};
    case ReadResult::Failed:
        warn(error);
        return {};
    case ReadResult::Read:
        break;
    }
    if (std::optional<RegistryTree> tree = RegFileFormat::parse(bytes))
        return std::move(*tree);

    // Moving the broken file aside needs the lock: another process may just have replaced it.
    UniqueFd lock;
    RegistryTree tree;
    if (!lockExclusive(m_path + QStringLiteral(".lock"), lock, &error) || !readLocked(tree, &error)) {
        warn(error);
        return {};
    }
    return tree;
}

bool FileRegistryStore::update(const std::function<void(RegistryTree&)>& change, QString* error)
{
    const QFileInfo info(m_path);
    const QString folder = info.absolutePath();
    if (!makeFolder(folder, error))
        return false;
    UniqueFd lock;
    if (!lockExclusive(m_path + QStringLiteral(".lock"), lock, error))
        return false;

    RegistryTree tree;
    if (!readLocked(tree, error))
        return false;
    change(tree);
    QString reason;
    if (!RegFileFormat::canWrite(tree, &reason))
        return fail(error, QStringLiteral("Die Einstellungen lassen sich nicht speichern: %1").arg(reason));
    const QByteArray bytes = RegFileFormat::write(tree);

    QByteArray tempPath =
        QFile::encodeName(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    UniqueFd temp(::mkostemp(tempPath.data(), O_CLOEXEC));
    if (!temp.valid()) {
        return fail(
            error,
            QStringLiteral("Temporäre Datei in %1 kann nicht angelegt werden: %2").arg(folder, systemError(errno)));
    }
    TempFileGuard guard(tempPath);
    const QString tempName = QFile::decodeName(tempPath);
    // mkstemp already uses 0600; set it explicitly so the result never depends on the umask.
    if (::fchmod(temp.get(), 0600) != 0 || !writeAll(temp.get(), bytes) || !syncFile(temp.get()) || !temp.close())
        return fail(error, QStringLiteral("%1 kann nicht geschrieben werden: %2").arg(tempName, systemError(errno)));

    aboutToReplace(tempName);

    if (::rename(tempPath.constData(), QFile::encodeName(m_path).constData()) != 0) {
        return fail(error, QStringLiteral("%1 kann nicht ersetzt werden: %2").arg(m_path, systemError(errno)));
    }
    guard.release();
    // Make the rename itself durable; a failure here cannot be undone and is not reported.
    UniqueFd folderFd(openFile(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.valid())
        syncFile(folderFd.get());
    return true;
}

/** Reads the file with the lock held; an unparsable file is moved aside and reads as empty. */
bool FileRegistryStore::readLocked(RegistryTree& tree, QString* error)
{
    QByteArray bytes;
    switch (readFile(m_path, bytes, error)) {
    case ReadResult::Missing:
        tree = RegistryTree();
        return true;
    case ReadResult::Failed:
        return false;
    case ReadResult::Read:
        break;
    }
    QString reason;
    if (std::optional<RegistryTree> parsed = RegFileFormat::parse(bytes, &reason)) {
        tree = std::move(*parsed);
        return true;
    }
    if (!moveAside(reason, error))
        return false;
    tree = RegistryTree();
    return true;
}

/** Renames the file to "<file>.broken-<date>-<time>", adding -1, -2 ... rather than overwriting an
 *  earlier backup. Only called with the lock held, so no other store picks the same name meanwhile. */
bool FileRegistryStore::moveAside(const QString& reason, QString* error)
{
    const QString base =
        m_path + QStringLiteral(".broken-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString backup = base;
    for (int number = 1;; ++number) {
        struct stat info = {};
        if (::lstat(QFile::encodeName(backup).constData(), &info) != 0) {
            if (errno == ENOENT)
                break;
            return fail(error, QStringLiteral("%1 kann nicht geprüft werden: %2").arg(backup, systemError(errno)));
        }
        backup = base + u'-' + QString::number(number);
    }
    if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(backup).constData()) != 0) {
        return fail(error,
                    QStringLiteral("Die beschädigte Einstellungsdatei %1 (%2) kann nicht beiseitegelegt werden: %3")
                        .arg(m_path, reason, systemError(errno)));
    }
    warn(QStringLiteral("Die Einstellungsdatei %1 ist beschädigt (%2) und wurde nach %3 verschoben.")
             .arg(m_path, reason, backup));
    return true;
}

} // namespace kelvaro
