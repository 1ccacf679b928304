#pragma once

#include "core/OsVersion.h"

namespace kelvaro::test {

/** Answers the system version query with `answer` and counts the calls. */
class FakeOsVersionQuery : public OsVersionQuery
{
public:
    OsVersionData answer{QStringLiteral("Linux"), {}, {}};
    int calls = 0;

    OsVersionData query() override
    {
        ++calls;
        return answer;
    }
};

} // namespace kelvaro::test
