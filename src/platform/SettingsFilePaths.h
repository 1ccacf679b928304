#pragma once

#include <QByteArray>
#include <QString>

namespace kelvaro {
class FileCalls;
}

/** Where the settings store finds its file and what it tidies up beside it. */
namespace kelvaro::SettingsFilePaths {

/** The folder part of `path` as written ("." when there is none), without resolving "..", which
 *  the system resolves only after following the links before it. */
QString folderOf(const QString& path);

/** Follows `path` through symbolic links to the file that is read and written, so that a user's
 *  link to a file elsewhere is kept; a path that is no link is its own target, and a link whose
 *  target does not exist resolves to that target. False with a message on a loop or an error. */
bool followLinks(FileCalls& calls, const QString& path, QString& target, QString* error);

/** True when `path` is a regular file or does not exist; anything else (a folder, a device)
 *  cannot hold the settings, which `error` then says. */
bool isFileOrMissing(FileCalls& calls, const QString& path, QString* error);

/**
 * Removes from `folder` the files that mkostemp made from `prefix` + "XXXXXX" and that writers
 * killed before their rename left behind. Only to be called with the store's lock held: then no
 * living writer of the file has a temporary file. Only this user's regular files named exactly
 * like that are removed; errors are ignored.
 */
void removeStaleTemps(const QString& folder, const QByteArray& prefix);

} // namespace kelvaro::SettingsFilePaths
