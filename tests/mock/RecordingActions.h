#pragma once

#include "core/AppError.h"
#include "core/ExpirySound.h"
#include "core/PowerActions.h"
#include "core/TEinst.h"

#include <QList>
#include <QString>

#include <functional>
#include <utility>

namespace kelvaro::test {

/** Records the power actions asked for. */
class RecordingPowerActions : public PowerActions
{
public:
    QList<std::pair<int, bool>> calls;
    void RunPowerAction(quint8 action, bool force) override { calls.append({action, force}); }
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
