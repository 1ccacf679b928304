#include "platform/SettingsFilePaths.h"

#include "platform/FileCalls.h"
#include "platform/SystemErrorText.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <dirent.h>

namespace kelvaro::SettingsFilePaths {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

/** Whether `name` is one of the temporary files that mkostemp makes from `prefix` + "XXXXXX". */
bool isTempName(const QByteArray& name, const QByteArray& prefix)
{
    if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
        return false;
    for (qsizetype i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

} // namespace

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool followLinks(FileCalls& calls, const QString& path, QString& target, QString* error)
{
    // The system gives up after 40 links as well (ELOOP).
    QString current = path;
    for (int links = 0; links <= 40; ++links) {
        const QByteArray name = QFile::encodeName(current);
        struct stat info = {};
        if (calls.lstat(name.constData(), &info) != 0) {
            if (errno != ENOENT)
                return fail(error, QCoreApplication::translate("SettingsFilePaths", "%1 kann nicht geprüft werden: %2")
                                       .arg(current, systemErrorText(errno)));
            target = current;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        char buffer[PATH_MAX];
        const ssize_t length = calls.readlink(name.constData(), buffer, sizeof buffer);
        if (length < 0 || length >= static_cast<ssize_t>(sizeof buffer)) {
            const int code = length < 0 ? errno : ENAMETOOLONG;
            return fail(error, QCoreApplication::translate("SettingsFilePaths", "%1 kann nicht gelesen werden: %2")
                                   .arg(current, systemErrorText(code)));
        }
        const QString link = QFile::decodeName(QByteArray(buffer, length));
        current = link.startsWith(u'/') ? link : folderOf(current) + u'/' + link;
    }
    return fail(error, QCoreApplication::translate("SettingsFilePaths", "%1 kann nicht geöffnet werden: %2")
                           .arg(path, systemErrorText(ELOOP)));
}

bool isFileOrMissing(FileCalls& calls, const QString& path, QString* error)
{
    struct stat info = {};
    if (calls.stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno == ENOENT)
            return true;
        return fail(error, QCoreApplication::translate("SettingsFilePaths", "%1 kann nicht geöffnet werden: %2")
                               .arg(path, systemErrorText(errno)));
    }
    if (!S_ISREG(info.st_mode))
        return fail(error,
                    QCoreApplication::translate("SettingsFilePaths", "%1 ist keine gewöhnliche Datei").arg(path));
    return true;
}

void removeStaleTemps(const QString& folder, const QByteArray& prefix)
{
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        struct stat info = {};
        if (isTempName(name, prefix) && ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

} // namespace kelvaro::SettingsFilePaths
