// The timing rule: path distance over the section's speed, in the drawing's
// unit, and finding a time in a run of positions.
#include "motion/LengthUnit.h"
#include "motion/Timing.h"

#include <gtest/gtest.h>

namespace
{
PmPosition200 At(double x, double y, double z)
{
    return {{x, y, z}, {}, {}};
}

TEST(TimingTest, StepTimeIsPathDistanceOverSpeedInTheDrawingsUnit)
{
    ASSERT_EQ(MetresPerUnit("ft"), 0.3048);
    ASSERT_EQ(MetresPerUnit("km"), 1000.0);
    EXPECT_FALSE(MetresPerUnit("furlong"));
    EXPECT_FALSE(MetresPerUnit(""));
    // 10 mph is 4.4704 m/s, 14.6667 ft/s, 0.0044704 km/s.
    const double feetPerSecond = UnitsPerSecond(10.0, *MetresPerUnit("ft"));
    EXPECT_NEAR(feetPerSecond, 4.4704 / 0.3048, 1e-12);
    EXPECT_NEAR(UnitsPerSecond(10.0, *MetresPerUnit("km")), 0.0044704, 1e-15);
    // A 3-4-5 step, a step that goes nowhere, a climb of 12.
    const std::vector<double> times =
        PositionTimes({At(0, 0, 0), At(3, 4, 0), At(3, 4, 0), At(3, 4, 12)}, feetPerSecond);
    ASSERT_EQ(times.size(), 4u);
    EXPECT_EQ(times[0], 0.0);
    EXPECT_NEAR(times[1], 5.0 / feetPerSecond, 1e-12);
    EXPECT_EQ(times[2], times[1]);
    EXPECT_NEAR(times[3], 17.0 / feetPerSecond, 1e-12);
    EXPECT_TRUE(PositionTimes({}, 1.0).empty());
}

TEST(TimingTest, StepAtFindsThePositionReachedAndTheWayToTheNext)
{
    const std::vector<double> times = {0.0, 1.0, 1.0, 3.0};
    const auto expectStep = [&](double t, std::size_t index, double fraction)
    {
        const Step step = StepAt(times, t);
        EXPECT_EQ(step.index, index) << "at " << t;
        EXPECT_DOUBLE_EQ(step.fraction, fraction) << "at " << t;
    };
    expectStep(-1.0, 0, 0.0);
    expectStep(0.0, 0, 0.0);
    expectStep(0.5, 0, 0.5);
    // A step that takes no time is passed at once: never a division by zero.
    expectStep(1.0, 2, 0.0);
    expectStep(2.5, 2, 0.75);
    expectStep(3.0, 3, 0.0);
    expectStep(99.0, 3, 0.0);
    const Step single = StepAt({0.0}, 5.0);
    EXPECT_EQ(single.index, 0u);
    EXPECT_EQ(single.fraction, 0.0);
}
} // namespace
