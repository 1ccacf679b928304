#pragma once

#include "core/PowerPlatform.h"

#include <QString>
#include <QStringList>

namespace kelvaro::test {

/** Records every power call instead of making it; the answer to the permission question is settable. */
class RecordingPowerPlatform : public PowerPlatform
{
public:
    PowerPermission answer = PowerPermission::Yes;
    QStringList calls;

    static QString name(PowerRequest request)
    {
        switch (request) {
        case PowerRequest::PowerOff:
            return QStringLiteral("PowerOff");
        case PowerRequest::Reboot:
            return QStringLiteral("Reboot");
        case PowerRequest::Hibernate:
            return QStringLiteral("Hibernate");
        case PowerRequest::Suspend:
            break;
        }
        return QStringLiteral("Suspend");
    }

    PowerPermission permission(PowerRequest request) override
    {
        calls << QStringLiteral("permission(%1)").arg(name(request));
        return answer;
    }
    bool request(PowerRequest request, bool force, bool interactive) override
    {
        calls << QStringLiteral("request(%1%2%3)")
                     .arg(name(request), force ? QStringLiteral(",force") : QString(),
                          interactive ? QStringLiteral(",interactive") : QString());
        return true;
    }
    bool logOff(bool force) override
    {
        calls << (force ? QStringLiteral("logOff(force)") : QStringLiteral("logOff"));
        return true;
    }
    bool lockSession() override
    {
        calls << QStringLiteral("lockSession");
        return true;
    }
};

} // namespace kelvaro::test
