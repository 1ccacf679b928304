#pragma once

#include "core/OsVersion.h"

namespace kelvaro::test {

/** Answers the system version query with `answer` (nothing = the query fails) and counts the calls. */
class FakeOsVersionQuery : public OsVersionQuery
{
public:
    std::optional<OsVersionData> answer;
    int calls = 0;

    std::optional<OsVersionData> query() override
    {
        ++calls;
        return answer;
    }

    static OsVersionData windows(quint32 platform, quint32 major, quint32 minor, quint32 build, QString csd = {})
    {
        return {platform, major, minor, build, std::move(csd), {}};
    }
};

} // namespace kelvaro::test
