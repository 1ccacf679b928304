#pragma once

#include <QString>

namespace kelvaro::FileSystem {

/** True when `path` names an existing file (not a folder). */
bool fileExists(const QString& path);
/** True when `path` names an existing folder. */
bool folderExists(const QString& path);

} // namespace kelvaro::FileSystem
