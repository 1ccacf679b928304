#pragma once

#include "core/LoadFigures.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kelvaro::test {

/** Load counters that move, from one reading to the next, by the processor share and the network
 *  traffic of the next second the test gives (the last one holds on). Without `readable` the
 *  counters cannot be read. */
class ScriptedLoadSampler : public LoadSampler
{
public:
    std::vector<std::pair<int, int>> seconds; // processor %, kB/s
    bool readable = true;

    std::optional<LoadSample> sample() override
    {
        if (!readable)
            return std::nullopt;
        if (m_taken > 0 && !seconds.empty()) {
            const auto [cpu, net] = seconds[std::min(m_taken - 1, seconds.size() - 1)];
            m_now.cpu.busy += quint64(cpu);
            m_now.cpu.total += 100;
            m_now.net[QByteArrayLiteral("eth0")] += quint64(net) * 1000;
        }
        ++m_taken;
        return m_now;
    }

private:
    LoadSample m_now{{0, 0}, {{QByteArrayLiteral("eth0"), 0}}};
    size_t m_taken = 0;
};

} // namespace kelvaro::test
