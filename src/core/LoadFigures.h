#pragma once

#include <QByteArray>
#include <QHash>
#include <QtGlobal>

#include <optional>

namespace kelvaro {

/** The processor time of all cores since boot, in clock ticks: busy and in all. */
struct CpuTimes
{
    quint64 busy = 0;
    quint64 total = 0;
};

/** The bytes received plus sent by each network interface since it came up, loopback left out. */
using NetCounters = QHash<QByteArray, quint64>;

/** One reading of the machine's load counters. */
struct LoadSample
{
    CpuTimes cpu;
    NetCounters net;
};

/** The processor and network counters of the machine; the run in the time mode "Leerlauf" reads
 *  them once a second. */
class LoadSampler
{
public:
    virtual ~LoadSampler() = default;
    /** The counters now; nothing when they cannot be read. */
    virtual std::optional<LoadSample> sample() = 0;
};

/** The "cpu" line of /proc/stat: user, nice, system, irq, softirq and steal are busy; idle and
 *  iowait are not (guest time is part of user time already). Nothing when the line is missing or
 *  malformed. */
std::optional<CpuTimes> parseProcStat(const QByteArray& text);
/** /proc/net/dev: received plus sent bytes of every interface but "lo". Nothing when the text is
 *  not such a table. */
std::optional<NetCounters> parseProcNetDev(const QByteArray& text);

/** The busy share of all cores between two readings in percent (0 to 100); 0 when no time passed. */
double busyPercent(const CpuTimes& before, const CpuTimes& after);
/** The bytes moved between two readings over the interfaces present in both; a counter that went
 *  back (an interface that came up again) counts from 0. */
quint64 bytesMoved(const NetCounters& before, const NetCounters& after);

} // namespace kelvaro
