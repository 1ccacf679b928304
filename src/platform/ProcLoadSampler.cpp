#include "platform/ProcLoadSampler.h"

#include <QFile>

namespace kelvaro {

namespace {

/** The whole of a /proc file; its size shows as 0, so it is read to the end. */
std::optional<QByteArray> readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

std::optional<LoadSample> ProcLoadSampler::sample()
{
    const std::optional<QByteArray> stat = readAll(m_proc + QStringLiteral("/stat"));
    const std::optional<QByteArray> netDev = readAll(m_proc + QStringLiteral("/net/dev"));
    if (!stat || !netDev)
        return std::nullopt;
    std::optional<CpuTimes> cpu = parseProcStat(*stat);
    std::optional<NetCounters> net = parseProcNetDev(*netDev);
    if (!cpu || !net)
        return std::nullopt;
    return LoadSample{*cpu, std::move(*net)};
}

} // namespace kelvaro
