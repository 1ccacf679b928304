#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kelvaro {

/**
 * Writes a freedesktop launcher (a Desktop Entry file) at `filePath` that starts `programPath` with
 * the parameter string `arguments` (split like a command line), in the program's folder, with
 * `description` as its comment. The file is written under a temporary name and renamed into place
 * with mode 0755; an existing file is replaced. Returns false, with a reason in `error`, when the
 * file cannot be written or an argument holds a control character that an Exec line cannot carry;
 * nothing is left behind then.
 */
bool CreateShortcut(const QString& programPath, const QString& arguments, const QString& filePath,
                    const QString& description, QString* error = nullptr);

/**
 * The folder whose launchers the desktop lists in its application menu: $XDG_DATA_HOME/applications,
 * or ~/.local/share/applications when that variable is unset or not absolute. The folder is created
 * when it is missing; when that fails, the home folder is given instead.
 */
QString LauncherFolder();

/** The Exec value (as it stands in the file) that starts `program` with `arguments`, each quoted
 *  and escaped; nothing when an argument holds a control character. */
std::optional<QString> ExecValue(const QString& program, const QStringList& arguments);

/**
 * The command of an Exec value as it stands in the file: string escapes undone, then split into
 * arguments and unquoted, "%%" turned into "%" and other field codes dropped (the launcher is
 * started without files). Nothing when the value is malformed.
 */
std::optional<QStringList> ParseExecValue(const QString& value);

/** The command of the launcher file at `filePath` (its Exec value parsed), or nothing. */
std::optional<QStringList> ReadLauncherCommand(const QString& filePath);

} // namespace kelvaro
