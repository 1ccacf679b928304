#include "core/ProgramInfo.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kelvaro {

ProgramInfo ProgramInfo::compiledIn()
{
    return {QStringLiteral(KELVARO_PRODUCT_NAME), QStringLiteral(KELVARO_PRODUCT_VERSION),
            QStringLiteral(KELVARO_FILE_VERSION), QStringLiteral(KELVARO_COPYRIGHT),
            QStringLiteral(KELVARO_COMMENTS),     QStringLiteral(KELVARO_DESCRIPTION)};
}

QString ProgramInfo::programPath()
{
    // The file itself, also when the program was started through a link.
    return QCoreApplication::applicationFilePath();
}

QString ProgramInfo::programFolder()
{
    return QFileInfo(programPath()).absolutePath();
}

} // namespace kelvaro
