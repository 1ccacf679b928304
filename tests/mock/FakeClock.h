#pragma once

#include "core/Clock.h"
#include "core/SerialDateTime.h"

#include <QDateTime>

namespace kelvaro::test {

/** A clock that only moves when the test moves it. */
class FakeClock : public Clock
{
public:
    qint64 msecs = 0;

    qint64 currentMSecsSinceEpoch() const override { return msecs; }

    /** Sets the clock to a local date and time of day. */
    void setLocal(QDate date, QTime time) { msecs = SerialDateTime::toMSecsSinceEpoch(date, time); }
    void advance(qint64 ms) { msecs += ms; }
};

} // namespace kelvaro::test
