#pragma once

#include "core/LoadFigures.h"

#include <QString>

namespace kelvaro {

/** The load counters of this machine from /proc/stat and /proc/net/dev. */
class ProcLoadSampler : public LoadSampler
{
public:
    /** `procFolder` is "/proc" but for tests. */
    explicit ProcLoadSampler(QString procFolder = QStringLiteral("/proc")) : m_proc(std::move(procFolder)) {}
    std::optional<LoadSample> sample() override;

private:
    QString m_proc;
};

} // namespace kelvaro
