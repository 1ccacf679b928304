#include "platform/FileRegistryStore.h"

#include "core/RegFileFormat.h"
#include "platform/FileCalls.h"
#include "platform/Log.h"
#include "platform/SettingsFilePaths.h"
#include "platform/SystemErrorText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace kelvaro {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

/** One line on stderr; the store has no window to report to. */
void warn(const QString& message)
{
    qCWarning(lcKelvaro, "%s", qUtf8Printable(message));
}

/** Owns a file descriptor and closes it at the end of its scope. */
class UniqueFd
{
public:
    explicit UniqueFd(FileCalls& calls, int fd = -1) : m_calls(calls), m_fd(fd) {}
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
        return fd < 0 || m_calls.close(fd) == 0;
    }

private:
    FileCalls& m_calls;
    int m_fd;
};

int openFile(FileCalls& calls, const QString& path, int flags, mode_t mode = 0)
{
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = calls.open(name.constData(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

enum class ReadResult { Read, Missing, Failed };

ReadResult readFile(FileCalls& calls, const QString& path, QByteArray& content, QString* error)
{
    // O_NONBLOCK keeps a FIFO at that path from blocking the open; it is rejected below anyway.
    UniqueFd fd(calls, openFile(calls, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) {
        const int code = errno;
        if (code == ENOENT)
            return ReadResult::Missing;
        fail(error, QCoreApplication::translate("FileRegistryStore", "%1 kann nicht geöffnet werden: %2")
                        .arg(path, systemErrorText(code)));
        return ReadResult::Failed;
    }
    struct stat info = {};
    if (calls.fstat(fd.get(), &info) != 0) {
        fail(error, QCoreApplication::translate("FileRegistryStore", "%1 kann nicht geprüft werden: %2")
                        .arg(path, systemErrorText(errno)));
        return ReadResult::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        fail(error, QCoreApplication::translate("FileRegistryStore", "%1 ist keine gewöhnliche Datei").arg(path));
        return ReadResult::Failed;
    }
    content.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t count = calls.read(fd.get(), buffer, sizeof buffer);
        if (count > 0) {
            content.append(buffer, count);
        } else if (count == 0) {
            return ReadResult::Read;
        } else if (errno != EINTR) {
            fail(error, QCoreApplication::translate("FileRegistryStore", "%1 kann nicht gelesen werden: %2")
                            .arg(path, systemErrorText(errno)));
            return ReadResult::Failed;
        }
    }
}

bool writeAll(FileCalls& calls, int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t count = calls.write(fd, data, static_cast<size_t>(left));
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

bool syncFile(FileCalls& calls, int fd)
{
    int result;
    do {
        result = calls.fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

/** Creates `folder` and any missing folder above it, each with mode 0700. */
bool makeFolder(FileCalls& calls, const QString& folder, QString* error)
{
    struct stat info = {};
    if (calls.stat(QFile::encodeName(folder).constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        return fail(error, QCoreApplication::translate("FileRegistryStore", "%1 ist kein Ordner").arg(folder));
    }
    // Missing, or a file stands higher up, which the folder above names; anything else is an error.
    if (errno != ENOENT && errno != ENOTDIR)
        return fail(error, QCoreApplication::translate("FileRegistryStore", "Ordner %1 kann nicht geprüft werden: %2")
                               .arg(folder, systemErrorText(errno)));
    const QString parent = QFileInfo(folder).path();
    if (parent != folder && !makeFolder(calls, parent, error))
        return false;
    if (calls.mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
        return fail(error, QCoreApplication::translate("FileRegistryStore", "Ordner %1 kann nicht angelegt werden: %2")
                               .arg(folder, systemErrorText(errno)));
    return true;
}

/** Takes the exclusive lock on `lockPath` (blocking); it is held until `fd` is closed. */
bool lockExclusive(FileCalls& calls, const QString& lockPath, UniqueFd& fd, QString* error)
{
    fd.reset(openFile(calls, lockPath, O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd.valid())
        return fail(error,
                    QCoreApplication::translate("FileRegistryStore", "Sperrdatei %1 kann nicht geöffnet werden: %2")
                        .arg(lockPath, systemErrorText(errno)));
    while (calls.flock(fd.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return fail(error, QCoreApplication::translate("FileRegistryStore", "%1 kann nicht gesperrt werden: %2")
                                   .arg(lockPath, systemErrorText(errno)));
    }
    return true;
}

/** Removes the temporary file unless it was renamed into place. Should that fail too, the next
 *  update removes the file as a leftover. */
class TempFileGuard
{
public:
    TempFileGuard(FileCalls& calls, QByteArray path) : m_calls(calls), m_path(std::move(path)) {}
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    ~TempFileGuard()
    {
        if (!m_path.isEmpty())
            m_calls.unlink(m_path.constData());
    }
    void release() { m_path.clear(); }

private:
    FileCalls& m_calls;
    QByteArray m_path;
};

} // namespace

using SettingsFilePaths::folderOf;
using SettingsFilePaths::followLinks;
using SettingsFilePaths::isFileOrMissing;
using SettingsFilePaths::removeStaleTemps;

FileRegistryStore::FileRegistryStore(QString path, FileCalls& calls) : m_path(std::move(path)), m_calls(calls) {}

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

QString FileRegistryStore::location() const
{
    return QFileInfo(m_path).absoluteFilePath();
}

RegistryTree FileRegistryStore::load()
{
    // Updates replace the file by renaming, so reading without the lock sees a complete file.
    QString error;
    QString target;
    QByteArray bytes;
    if (!followLinks(m_calls, m_path, target, &error)) {
        warn(error);
        return {};
    }
    switch (readFile(m_calls, target, bytes, &error)) {
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
    UniqueFd lock(m_calls);
    RegistryTree tree;
    if (!lockExclusive(m_calls, target + QStringLiteral(".lock"), lock, &error) || !readLocked(target, tree, &error)) {
        warn(error);
        return {};
    }
    return tree;
}

bool FileRegistryStore::update(const std::function<void(RegistryTree&)>& change, QString* error)
{
    // Through a symbolic link the file it points to is replaced, in its own folder, and the link
    // stays. The folder of a link's target is not created: a dangling link into a missing folder
    // more likely names a drive that is not mounted than a place to make.
    QString target;
    if (!followLinks(m_calls, m_path, target, error))
        return false;
    QString folder;
    if (target == m_path) {
        folder = QFileInfo(m_path).absolutePath();
        if (!makeFolder(m_calls, folder, error))
            return false;
    } else {
        folder = folderOf(target);
        struct stat info = {};
        if (m_calls.stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            return fail(error, QCoreApplication::translate("FileRegistryStore",
                                                           "Der Ordner %1 für die Einstellungsdatei %2 existiert nicht")
                                   .arg(folder, m_path));
        }
    }
    // A folder or a device at the path is left alone; the lock file is not even created.
    if (!isFileOrMissing(m_calls, target, error))
        return false;
    UniqueFd lock(m_calls);
    if (!lockExclusive(m_calls, target + QStringLiteral(".lock"), lock, error))
        return false;

    RegistryTree tree;
    if (!readLocked(target, tree, error))
        return false;
    change(tree);
    QString reason;
    if (!RegFileFormat::canWrite(tree, &reason))
        return fail(
            error, QCoreApplication::translate("FileRegistryStore", "Die Einstellungen lassen sich nicht speichern: %1")
                       .arg(reason));
    const QByteArray bytes = RegFileFormat::write(tree);

    // A name of its own ("tmp-" before the random part) keeps the clean-up from taking a user's
    // copy such as ".registry.reg.backup" for a leftover.
    const QByteArray tempPrefix = QFile::encodeName(u'.' + QFileInfo(target).fileName() + QStringLiteral(".tmp-"));
    removeStaleTemps(folder, tempPrefix);
    QByteArray tempPath = QFile::encodeName(folder) + '/' + tempPrefix + "XXXXXX";
    UniqueFd temp(m_calls, m_calls.makeTemp(tempPath.data(), O_CLOEXEC));
    if (!temp.valid()) {
        return fail(error, QCoreApplication::translate("FileRegistryStore",
                                                       "Temporäre Datei in %1 kann nicht angelegt werden: %2")
                               .arg(folder, systemErrorText(errno)));
    }
    TempFileGuard guard(m_calls, tempPath);
    // mkstemp already uses 0600; set it explicitly so the result never depends on the umask.
    if (m_calls.fchmod(temp.get(), 0600) != 0 || !writeAll(m_calls, temp.get(), bytes) ||
        !syncFile(m_calls, temp.get()) || !temp.close()) {
        return fail(error, QCoreApplication::translate("FileRegistryStore", "%1 kann nicht geschrieben werden: %2")
                               .arg(target, systemErrorText(errno)));
    }

    aboutToReplace(QFile::decodeName(tempPath));

    if (m_calls.rename(tempPath.constData(), QFile::encodeName(target).constData()) != 0)
        return fail(error, QCoreApplication::translate("FileRegistryStore", "%1 kann nicht ersetzt werden: %2")
                               .arg(target, systemErrorText(errno)));
    guard.release();
    // Make the rename itself durable; a failure here cannot be undone and is not reported.
    UniqueFd folderFd(m_calls, openFile(m_calls, folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.valid())
        syncFile(m_calls, folderFd.get());
    return true;
}

/** Reads `target` with the lock held; an unparsable file is moved aside and reads as empty. */
bool FileRegistryStore::readLocked(const QString& target, RegistryTree& tree, QString* error)
{
    QByteArray bytes;
    switch (readFile(m_calls, target, bytes, error)) {
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
    if (!moveAside(target, reason, error))
        return false;
    tree = RegistryTree();
    return true;
}

/** Renames `target` to "<target>.broken-<date>-<time>", adding -1, -2 ... rather than overwriting
 *  an earlier backup. Only called with the lock held, so no other store picks the same name meanwhile. */
bool FileRegistryStore::moveAside(const QString& target, const QString& reason, QString* error)
{
    const QString base =
        target + QStringLiteral(".broken-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString backup = base;
    for (int number = 1;; ++number) {
        struct stat info = {};
        if (m_calls.lstat(QFile::encodeName(backup).constData(), &info) != 0) {
            if (errno == ENOENT)
                break;
            return fail(error, QCoreApplication::translate("FileRegistryStore", "%1 kann nicht geprüft werden: %2")
                                   .arg(backup, systemErrorText(errno)));
        }
        backup = base + u'-' + QString::number(number);
    }
    if (m_calls.rename(QFile::encodeName(target).constData(), QFile::encodeName(backup).constData()) != 0) {
        return fail(error, QCoreApplication::translate(
                               "FileRegistryStore",
                               "Die beschädigte Einstellungsdatei %1 (%2) kann nicht beiseitegelegt werden: %3")
                               .arg(target, reason, systemErrorText(errno)));
    }
    warn(QCoreApplication::translate("FileRegistryStore",
                                     "Die Einstellungsdatei %1 ist beschädigt (%2) und wurde nach %3 verschoben.")
             .arg(target, reason, backup));
    return true;
}

} // namespace kelvaro
