#include "core/FileSystem.h"

#include <QFileInfo>

namespace kelvaro::FileSystem {

bool fileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool folderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace kelvaro::FileSystem
