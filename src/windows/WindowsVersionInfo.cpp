#include "windows/WindowsVersionInfo.h"

#include "core/OsVersion.h"

namespace kelvaro {

namespace {

constexpr qsizetype kServicePackLength = 128;

QString win9xName(quint32 minor)
{
    switch (minor) {
    case 0:
        return QStringLiteral("Windows 95");
    case 10:
        return QStringLiteral("Windows 98");
    case 90:
        return QStringLiteral("Windows ME");
    default:
        return QStringLiteral("Windows 9x kompatibel");
    }
}

QString ntName(quint32 major, quint32 minor)
{
    if (major == 3)
        return QStringLiteral("Windows NT 3.") + QString::number(minor);
    if (major == 4)
        return QStringLiteral("Windows NT 4.0");
    if (major == 5) {
        switch (minor) {
        case 0:
            return QStringLiteral("Windows 2000");
        case 1:
            return QStringLiteral("Windows XP");
        case 2:
            return QStringLiteral("Windows .NET Server");
        default:
            break;
        }
    }
    return QStringLiteral("Windows NT kompatibel");
}

} // namespace

QString WindowsOsName(quint32 platformId, quint32 majorVersion, quint32 minorVersion)
{
    switch (platformId) {
    case VER_PLATFORM_WIN32s:
        return QStringLiteral("Win32s für Windows 3.x");
    case VER_PLATFORM_WIN32_WINDOWS:
        return win9xName(minorVersion);
    case VER_PLATFORM_WIN32_NT:
        return ntName(majorVersion, minorVersion);
    default:
        return QStringLiteral("Unbekannt");
    }
}

void ReadWindowsVersion(TWindowsVersionInfo& info, OsVersionQuery& query)
{
    const std::optional<OsVersionData> data = query.query();
    if (!data) {
        info.OsName = QStringLiteral("Windows");
        return;
    }
    info.MajorVersion = static_cast<qint32>(data->majorVersion);
    info.MinorVersion = static_cast<qint32>(data->minorVersion);
    info.BuildNumber = static_cast<qint32>(data->buildNumber);
    if (data->platformId == VER_PLATFORM_LINUX)
        info.OsName = data->systemName.isEmpty() ? QStringLiteral("Linux") : data->systemName;
    else
        info.OsName = WindowsOsName(data->platformId, data->majorVersion, data->minorVersion);
    info.ServicePack = data->csdVersion.left(kServicePackLength);
}

QString VersionLine(const TWindowsVersionInfo& info)
{
    return QString::number(info.MajorVersion) + u'.' + QString::number(info.MinorVersion) + QStringLiteral(" Build (") +
           QString::number(info.BuildNumber) + u')';
}

} // namespace kelvaro
