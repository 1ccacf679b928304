#pragma once

#include <QString>

namespace kelvaro {

/** The program's own version data and where its file lives. */
struct ProgramInfo
{
    QString productName;
    QString productVersion;
    QString fileVersion;
    QString copyright;
    QString comments;
    QString description;

    /** The version data compiled into this program. */
    static ProgramInfo compiledIn();
    /** The full path of the running program file. */
    static QString programPath();
    /** The folder of the running program file. */
    static QString programFolder();
};

} // namespace kelvaro
