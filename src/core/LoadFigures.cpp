#include "core/LoadFigures.h"

#include <QList>

namespace kelvaro {

namespace {

std::optional<quint64> toNumber(const QByteArray& text)
{
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    return ok ? std::optional<quint64>(value) : std::nullopt;
}

} // namespace

std::optional<CpuTimes> parseProcStat(const QByteArray& text)
{
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.value(0) != "cpu")
            continue;
        // user nice system idle iowait irq softirq steal [guest guest_nice]; old kernels stop after iowait.
        if (fields.size() < 5)
            return std::nullopt;
        quint64 values[8] = {};
        for (qsizetype i = 1; i < fields.size() && i <= 8; ++i) {
            const std::optional<quint64> value = toNumber(fields[i]);
            if (!value)
                return std::nullopt;
            values[i - 1] = *value;
        }
        CpuTimes times;
        times.busy = values[0] + values[1] + values[2] + values[5] + values[6] + values[7];
        times.total = times.busy + values[3] + values[4];
        return times;
    }
    return std::nullopt;
}

std::optional<NetCounters> parseProcNetDev(const QByteArray& text)
{
    // Two heading lines, then "  name: rx_bytes rx_packets ... (8 fields) tx_bytes ...".
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 2 || !lines[1].contains("bytes"))
        return std::nullopt;
    NetCounters counters;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon < 0) {
            if (!lines[i].trimmed().isEmpty())
                return std::nullopt;
            continue;
        }
        const QByteArray name = lines[i].left(colon).trimmed();
        const QList<QByteArray> fields = lines[i].mid(colon + 1).simplified().split(' ');
        if (fields.size() < 9)
            return std::nullopt;
        const std::optional<quint64> received = toNumber(fields[0]);
        const std::optional<quint64> sent = toNumber(fields[8]);
        if (!received || !sent)
            return std::nullopt;
        if (name != "lo")
            counters.insert(name, *received + *sent);
    }
    return counters;
}

double busyPercent(const CpuTimes& before, const CpuTimes& after)
{
    if (after.total <= before.total || after.busy < before.busy)
        return 0.0;
    const double busy = double(after.busy - before.busy);
    return qMin(100.0, 100.0 * busy / double(after.total - before.total));
}

quint64 bytesMoved(const NetCounters& before, const NetCounters& after)
{
    quint64 moved = 0;
    for (auto it = after.begin(); it != after.end(); ++it) {
        const auto previous = before.find(it.key());
        if (previous == before.end())
            continue;
        moved += it.value() >= previous.value() ? it.value() - previous.value() : it.value();
    }
    return moved;
}

} // namespace kelvaro
