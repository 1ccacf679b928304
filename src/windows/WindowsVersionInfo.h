#pragma once

#include <QString>
#include <QtGlobal>

namespace kelvaro {

class OsVersionQuery;

/** The running system's version as the about window shows it. */
struct TWindowsVersionInfo
{
    qint32 MajorVersion = 0;
    qint32 MinorVersion = 0;
    /** All 32 bits as reported (on Windows 95/98/ME the high half repeats the version numbers). */
    qint32 BuildNumber = 0;
    QString OsName;
    /** The service-pack text (the kernel release on Linux), at most 128 characters. */
    QString ServicePack;
};

/**
 * Fills `info` from the system's version query. When the query fails, `OsName` becomes "Windows"
 * and every other field keeps its value. A Linux system is named by itself; every other platform
 * by WindowsOsName.
 */
void ReadWindowsVersion(TWindowsVersionInfo& info, OsVersionQuery& query);

/** The German name of a Windows version; for the 95/98/ME family only the minor version counts. */
QString WindowsOsName(quint32 platformId, quint32 majorVersion, quint32 minorVersion);

/** "<major>.<minor> Build (<build>)", for example "5.1 Build (2600)". */
QString VersionLine(const TWindowsVersionInfo& info);

} // namespace kelvaro
