#pragma once

#include "core/PowerPlatform.h"

#include <QString>
#include <QStringList>

namespace kelvaro::test {

/** Records every power call instead of making it; the platform id and the answer are settable. */
class RecordingPowerPlatform : public PowerPlatform
{
public:
    static constexpr quintptr Token = 0x5a;
    static constexpr quint64 Privilege = 0x13;

    quint32 id = VER_PLATFORM_WIN32_NT;
    bool accept = true;
    QStringList calls;

    quint32 platformId() override { return id; }
    quintptr openProcessToken() override
    {
        calls << QStringLiteral("openProcessToken");
        return Token;
    }
    quint64 lookupPrivilegeValue(const QString& name) override
    {
        calls << QStringLiteral("lookupPrivilegeValue(%1)").arg(name);
        return Privilege;
    }
    void adjustTokenPrivileges(quintptr token, quint64 privilege) override
    {
        calls << QStringLiteral("adjustTokenPrivileges(%1,%2)").arg(token).arg(privilege);
    }
    void closeHandle(quintptr handle) override { calls << QStringLiteral("closeHandle(%1)").arg(handle); }
    bool exitWindowsEx(quint16 flags) override
    {
        calls << QStringLiteral("exitWindowsEx(%1)").arg(flags);
        return accept;
    }
    void suspend() override { calls << QStringLiteral("suspend"); }
};

} // namespace kelvaro::test
