#include "core/SerialDateTime.h"
#include "mock/FakeClock.h"

#include <gtest/gtest.h>

using namespace kelvaro;

namespace {

struct FormatCase
{
    double days;
    const char* time;
    const char* timeMs;
};

class SerialFormat : public ::testing::TestWithParam<FormatCase>
{};

TEST_P(SerialFormat, FormatsByTheDisplayRule)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(SerialDateTime::formatTime(c.days).toStdString(), c.time);
    EXPECT_EQ(SerialDateTime::formatTimeMs(c.days).toStdString(), c.timeMs);
}

INSTANTIATE_TEST_SUITE_P(Values, SerialFormat,
                         ::testing::Values(
                             // 4 min 59.6 s: the fraction of a second is cut, not rounded.
                             FormatCase{299.6 / 86400.0, "00:04:59", "00:04:59:600"},
                             // A value a hair below a whole second rounds to it first.
                             FormatCase{(5.0 - 1e-7) / 86400.0, "00:00:05", "00:00:05:000"},
                             // Whole days and the sign are dropped.
                             FormatCase{45000.75, "18:00:00", "18:00:00:000"},
                             FormatCase{-0.25, "06:00:00", "06:00:00:000"},
                             FormatCase{-1.5, "12:00:00", "12:00:00:000"}, FormatCase{0.0, "00:00:00", "00:00:00:000"},
                             FormatCase{(86400.0 - 0.001) / 86400.0, "23:59:59", "23:59:59:999"}));

TEST(SerialDateTime, DayNumbersCountFromTheEndOf1899)
{
    EXPECT_DOUBLE_EQ(SerialDateTime::fromLocal(QDate(1899, 12, 30), QTime(0, 0)), 0.0);
    EXPECT_DOUBLE_EQ(SerialDateTime::fromLocal(QDate(1900, 1, 1), QTime(12, 0)), 2.5);
    EXPECT_DOUBLE_EQ(SerialDateTime::fromLocal(QDate(2026, 12, 7), QTime(18, 0)), 46363.75);
}

TEST(SerialDateTime, ClockReportsLocalSerialTime)
{
    test::FakeClock clock;
    clock.setLocal(QDate(2026, 12, 7), QTime(6, 0, 0, 500));
    EXPECT_EQ(SerialDateTime::formatTimeMs(clock.now()), QStringLiteral("06:00:00:500"));
    EXPECT_EQ(static_cast<int>(clock.now()), 46363);
}

} // namespace
