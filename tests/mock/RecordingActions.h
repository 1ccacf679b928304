#pragma once

#include "core/AppError.h"
#include "core/ExpirySound.h"
#include "core/PowerActions.h"
#include "core/TEinst.h"

#include <QList>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace kelvaro::test {

/** Records the power actions asked for and answers at once: every action has the outcome
 *  `outcome`, the permission in `permissions` (Yes when not named) and the blocking program `inhibitor`. */
class RecordingPowerActions : public PowerActions
{
public:
    QList<std::pair<int, bool>> calls;
    PowerOutcome outcome;
    std::map<int, PowerPermission> permissions;
    std::optional<PowerInhibitor> inhibitor;
    /** The actions asked about with a bounded wait (at Start). */
    QList<int> checked;

    void RunPowerAction(quint8 action, bool force, Done done) override
    {
        calls.append({action, force});
        if (done)
            done(outcome);
    }
    PowerPermission permission(quint8 action, int) override
    {
        checked << action;
        return permissionOf(action);
    }
    void askPermission(quint8 action, PowerPlatform::PermissionAnswer answer) override { answer(permissionOf(action)); }
    void findInhibitor(quint8, PowerPlatform::InhibitorAnswer answer) override { answer(inhibitor); }

private:
    PowerPermission permissionOf(quint8 action) const
    {
        const auto it = permissions.find(action);
        return it == permissions.end() ? PowerPermission::Yes : it->second;
    }
};

/** Records the expiry sounds asked for; `failWith` makes the next sound throw that error. */
class RecordingExpirySound : public ExpirySound
{
public:
    QList<TROptionen> played;
    int stops = 0;
    QString failWith;
    std::function<void()> onPlay;

    void PlayExpirySound(const TEinst& options) override
    {
        played.append(options.options());
        if (onPlay)
            onPlay();
        if (!failWith.isEmpty())
            throw AppError(std::exchange(failWith, QString()));
    }
    void StopSound() override { ++stops; }
};

} // namespace kelvaro::test
