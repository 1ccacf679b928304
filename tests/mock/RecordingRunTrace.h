#pragma once

#include "core/RunTrace.h"

#include <string>
#include <utility>
#include <vector>

namespace kelvaro::test {

/** A run trace that keeps what it was told. */
class RecordingRunTrace : public RunTrace
{
public:
    std::vector<std::pair<std::string, qint64>> events;

    void record(const char* event, qint64 msecsSinceEpoch) override { events.emplace_back(event, msecsSinceEpoch); }
};

} // namespace kelvaro::test
