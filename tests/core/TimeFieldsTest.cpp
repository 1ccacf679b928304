#include "core/TimeFields.h"

#include <gtest/gtest.h>

using namespace kelvaro;

namespace {

struct NumberCase
{
    const char* text;
    std::optional<qint32> value;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class Numbers : public ::testing::TestWithParam<NumberCase>
{};

TEST_P(Numbers, ConvertByTheRulesOfTheNumericTest)
{
    const NumberCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(StrToInt(text), c.value);
    EXPECT_EQ(IsNumber(text), c.value.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Numbers,
    ::testing::Values(NumberCase{"0", 0}, NumberCase{"7", 7}, NumberCase{"007", 7}, NumberCase{"+12", 12},
                      NumberCase{"-12", -12}, NumberCase{"-0", 0}, NumberCase{"   42", 42}, NumberCase{" -3", -3},
                      NumberCase{"2147483647", 2147483647}, NumberCase{"-2147483648", INT32_MIN},
                      NumberCase{"2147483648", std::nullopt}, NumberCase{"-2147483649", std::nullopt},
                      NumberCase{"99999999999999999999", std::nullopt}, NumberCase{"$A", 10}, NumberCase{"$ff", 255},
                      NumberCase{"xA", 10}, NumberCase{"X10", 16}, NumberCase{"0x1F", 31}, NumberCase{"0X1f", 31},
                      NumberCase{" $10", 16}, NumberCase{"$7FFFFFFF", 2147483647}, NumberCase{"$80000000", INT32_MIN},
                      NumberCase{"$FFFFFFFF", -1}, NumberCase{"$0000000FF", 255},
                      NumberCase{"$100000000", std::nullopt}, NumberCase{"$", std::nullopt},
                      NumberCase{"0x", std::nullopt}, NumberCase{"x", std::nullopt}, NumberCase{"-$1", std::nullopt},
                      NumberCase{"$-1", std::nullopt}, NumberCase{"$G", std::nullopt}, NumberCase{"", std::nullopt},
                      NumberCase{" ", std::nullopt}, NumberCase{"+", std::nullopt}, NumberCase{"-", std::nullopt},
                      NumberCase{"+-1", std::nullopt}, NumberCase{"12 ", std::nullopt}, NumberCase{"1 2", std::nullopt},
                      NumberCase{"12x", std::nullopt}, NumberCase{"\t5", std::nullopt}, NumberCase{"1.5", std::nullopt},
                      NumberCase{"\xd9\xa3", std::nullopt} /* Arabic-Indic three: only ASCII digits count */));

struct FormatCase
{
    QString (*format)(qint32, bool);
    qint32 value;
    bool leadingZero;
    const char* text;
};

class Formatters : public ::testing::TestWithParam<FormatCase>
{};

TEST_P(Formatters, GiveOneOrTwoDigitsAndZeroOutsideTheRange)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(c.format(c.value, c.leadingZero).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Formatters,
    ::testing::Values(FormatCase{StundenToStr, 7, true, "07"}, FormatCase{StundenToStr, 7, false, "7"},
                      FormatCase{StundenToStr, 0, true, "00"}, FormatCase{StundenToStr, 0, false, "0"},
                      FormatCase{StundenToStr, 10, false, "10"}, FormatCase{StundenToStr, 23, true, "23"},
                      FormatCase{StundenToStr, 23, false, "23"}, FormatCase{StundenToStr, 24, true, "00"},
                      FormatCase{StundenToStr, 24, false, "0"}, FormatCase{StundenToStr, -1, false, "0"},
                      FormatCase{StundenToStr, INT32_MIN, true, "00"}, FormatCase{MinutenToStr, 59, true, "59"},
                      FormatCase{MinutenToStr, 59, false, "59"}, FormatCase{MinutenToStr, 60, true, "00"},
                      FormatCase{MinutenToStr, 5, true, "05"}, FormatCase{MinutenToStr, 24, true, "24"},
                      FormatCase{SekundenToStr, 9, true, "09"}, FormatCase{SekundenToStr, 59, false, "59"},
                      FormatCase{SekundenToStr, 60, false, "0"}, FormatCase{SekundenToStr, -5, true, "00"}));

} // namespace
