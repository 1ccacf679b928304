#include "core/CountdownRing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelvaro;

namespace {

struct StepCase
{
    std::optional<double> remaining;
    int step;
};

class RingStep : public ::testing::TestWithParam<StepCase>
{};

TEST_P(RingStep, FollowsTheRemainingFraction)
{
    EXPECT_EQ(CountdownRing::step(GetParam().remaining), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(Fractions, RingStep,
                         ::testing::Values(StepCase{std::nullopt, -1}, StepCase{1.0, 60}, StepCase{0.5, 30},
                                           StepCase{0.0, 0}, StepCase{0.0001, 1}, StepCase{0.9999, 60},
                                           StepCase{1.5, 60}, StepCase{-0.2, 0},
                                           StepCase{std::numeric_limits<double>::quiet_NaN(), 0}));

const QColor base(0x1f, 0x4e, 0x8c);

QImage baseImage()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(base);
    return image;
}

bool isRing(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return std::abs(c.red() - CountdownRing::Colour.red()) < 40 &&
           std::abs(c.green() - CountdownRing::Colour.green()) < 40 &&
           std::abs(c.blue() - CountdownRing::Colour.blue()) < 40;
}

// Points on the ring in the middle of each quarter (half past one, half past four, ...), and the
// middle of the icon.
struct Samples
{
    bool upperRight, lowerRight, lowerLeft, upperLeft, middle;
    bool operator==(const Samples&) const = default;
};

Samples sample(const QImage& image)
{
    return {isRing(image, 26, 5), isRing(image, 26, 26), isRing(image, 5, 26), isRing(image, 5, 5),
            isRing(image, 16, 16)};
}

TEST(CountdownRing, FullRingAtTheStart)
{
    const QImage image = CountdownRing::draw(baseImage(), 1.0);
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(sample(image), (Samples{true, true, true, true, false}));
    EXPECT_EQ(image.pixelColor(16, 16), base);
}

TEST(CountdownRing, EmptiesClockwiseFromTwelve)
{
    EXPECT_EQ(sample(CountdownRing::draw(baseImage(), 0.75)), (Samples{false, true, true, true, false}));
    EXPECT_EQ(sample(CountdownRing::draw(baseImage(), 0.5)), (Samples{false, false, true, true, false}));
    EXPECT_EQ(sample(CountdownRing::draw(baseImage(), 0.25)), (Samples{false, false, false, true, false}));
}

TEST(CountdownRing, WaitingQuarterTurnsClockwise)
{
    EXPECT_EQ(sample(CountdownRing::drawWaiting(baseImage(), 15)), (Samples{true, false, false, false, false}));
    EXPECT_EQ(sample(CountdownRing::drawWaiting(baseImage(), 30)), (Samples{false, true, false, false, false}));
    EXPECT_EQ(sample(CountdownRing::drawWaiting(baseImage(), 60 + 45)), (Samples{false, false, true, false, false}));
}

TEST(CountdownRing, EmptyAtTheEndAndPlainWithoutARun)
{
    const QImage none;
    for (const std::optional<double> remaining : {std::optional<double>(0.0), std::optional<double>()})
        EXPECT_EQ(CountdownRing::draw(baseImage(), remaining), baseImage());
    EXPECT_EQ(CountdownRing::draw(none, std::nullopt).size(), QSize(32, 32));
}

} // namespace
