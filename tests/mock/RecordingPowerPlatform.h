#pragma once

#include "core/PowerPlatform.h"

#include <QString>
#include <QStringList>

namespace kelvaro::test {

/** Records every power call instead of making it and answers at once: the answer to the permission
 *  question, the blocking program and the outcome of the requests are settable. */
class RecordingPowerPlatform : public PowerPlatform
{
public:
    PowerPermission answer = PowerPermission::Yes;
    std::optional<PowerInhibitor> inhibitor;
    PowerOutcome outcome;
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
        case PowerRequest::LogOff:
            return QStringLiteral("LogOff");
        case PowerRequest::Lock:
            return QStringLiteral("Lock");
        case PowerRequest::Suspend:
            break;
        }
        return QStringLiteral("Suspend");
    }

    PowerPermission permission(PowerRequest request, int) override
    {
        calls << QStringLiteral("permission(%1)").arg(name(request));
        return answer;
    }
    void askPermission(PowerRequest request, PermissionAnswer answerWith) override
    {
        answerWith(permission(request, 0));
    }
    void findInhibitor(PowerRequest request, InhibitorAnswer answerWith) override
    {
        calls << QStringLiteral("inhibitor(%1)").arg(name(request));
        answerWith(inhibitor);
    }
    void request(PowerRequest request, bool force, bool interactive, Done done) override
    {
        calls << QStringLiteral("request(%1%2%3)")
                     .arg(name(request), force ? QStringLiteral(",force") : QString(),
                          interactive ? QStringLiteral(",interactive") : QString());
        done(outcome);
    }
};

} // namespace kelvaro::test
