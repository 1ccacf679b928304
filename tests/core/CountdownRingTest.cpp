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

} // namespace
