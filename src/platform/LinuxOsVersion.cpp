#include "platform/LinuxOsVersion.h"

#include <QRegularExpression>
#include <QSysInfo>

namespace kelvaro {

OsVersionData LinuxOsVersion::query()
{
    OsVersionData data;
    // Qt reads PRETTY_NAME from /etc/os-release (or /usr/lib/os-release); without one it names the
    // kernel type and version instead, which says nothing about the distribution.
    data.systemName = QSysInfo::productType() == QLatin1String("unknown") ? QStringLiteral("Linux")
                                                                          : QSysInfo::prettyProductName();
    data.kernelRelease = QSysInfo::kernelVersion();
    data.kernel = kernelVersion(data.kernelRelease);
    return data;
}

KernelVersion LinuxOsVersion::kernelVersion(const QString& release)
{
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = numbers.match(release);
    const auto number = [&match](int group) {
        bool ok = false;
        const quint32 value = match.captured(group).toUInt(&ok);
        return ok ? value : 0u;
    };
    return {number(1), number(2), number(3)};
}

} // namespace kelvaro
