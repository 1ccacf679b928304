// The tray icon's ring: drawn along the icon's edge, emptying clockwise from twelve o'clock.
#include "widgets/TrayRing.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvaro;

namespace {

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
    return std::abs(c.red() - TrayRing::Colour.red()) < 40 &&
           std::abs(c.green() - TrayRing::Colour.green()) < 40 &&
           std::abs(c.blue() - TrayRing::Colour.blue()) < 40;
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

TEST(TrayRing, FullRingAtTheStart)
{
    const QImage image = TrayRing::draw(baseImage(), 1.0);
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(sample(image), (Samples{true, true, true, true, false}));
    EXPECT_EQ(image.pixelColor(16, 16), base);
}

TEST(TrayRing, EmptiesClockwiseFromTwelve)
{
    EXPECT_EQ(sample(TrayRing::draw(baseImage(), 0.75)), (Samples{false, true, true, true, false}));
    EXPECT_EQ(sample(TrayRing::draw(baseImage(), 0.5)), (Samples{false, false, true, true, false}));
    EXPECT_EQ(sample(TrayRing::draw(baseImage(), 0.25)), (Samples{false, false, false, true, false}));
}

TEST(TrayRing, WaitingQuarterTurnsClockwise)
{
    EXPECT_EQ(sample(TrayRing::drawWaiting(baseImage(), 15)), (Samples{true, false, false, false, false}));
    EXPECT_EQ(sample(TrayRing::drawWaiting(baseImage(), 30)), (Samples{false, true, false, false, false}));
    EXPECT_EQ(sample(TrayRing::drawWaiting(baseImage(), 60 + 45)), (Samples{false, false, true, false, false}));
}

TEST(TrayRing, EmptyAtTheEndAndPlainWithoutARun)
{
    const QImage none;
    for (const std::optional<double> remaining : {std::optional<double>(0.0), std::optional<double>()})
        EXPECT_EQ(TrayRing::draw(baseImage(), remaining), baseImage());
    EXPECT_EQ(TrayRing::draw(none, std::nullopt).size(), QSize(32, 32));
}

} // namespace
