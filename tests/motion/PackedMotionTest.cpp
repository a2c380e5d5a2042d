// Packed motion played back on straight lines between keyframes, against
// motion/'s own places: within the bound its header states, on turns from
// none to nearly a half turn in one step, with the part near and far.
#include "drawing/Angles.h"
#include "motion/PackedMotion.h"
#include "tests/support/BlockDrawingTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
using PackedMotionTest = BlockDrawingTest;

// One step of 10 s from (0, 0) heading east to (20, 5) turned degrees about
// z, its part an arm's length ahead of the frame when it draws, nothing
// when it does not.
SimulationMotion Step(double degrees, double arm, AcDbObjectId definition)
{
    const double half = Radians(degrees) / 2.0;
    SegmentMotion segment;
    segment.parts.push_back({0, {arm, 0.0, 0.0}, definition, Affine2(), {}, {}});
    segment.placements = {{{0.0, 0.0, 0.0}, {}}, {{20.0, 5.0, 0.0}, {std::cos(half), 0.0, 0.0, std::sin(half)}}};
    segment.times = {0.0, 10.0};
    SimulationMotion motion;
    motion.sections.push_back({1.0, 0, 0.0, 10.0, {segment}});
    motion.duration = 10.0;
    return motion;
}

TEST_F(PackedMotionTest, StraightLinesBetweenKeyframesStayWithinTheBoundOfTheTurn)
{
    const AcDbObjectId arm = addDefinition(L"Arm");
    struct Row
    {
        double degrees;
        double arm;
        std::size_t keyframes;
    };
    for (const Row& row : {Row{0.0, 5.0, 2}, Row{3.0, 10.0, 3}, Row{89.0, 10.0, 46}, Row{179.0, 2.0, 91}})
    {
        SCOPED_TRACE(row.degrees);
        const SimulationMotion motion = Step(row.degrees, row.arm, arm);
        const PackedMotion packed = PackMotion(motion);
        const PackedSegment& segment = packed.sections.at(0).segments.at(0);
        ASSERT_EQ(segment.keyframes, row.keyframes);
        ASSERT_EQ(packed.floats.size(), row.keyframes * (kKeyframeHead + kFloatsPerPart));
        const float* first = packed.floats.data();
        const float* last = first + (row.keyframes - 1) * segment.Stride();
        EXPECT_EQ(first[kKeyframePosition], 0.0f);
        EXPECT_EQ(last[kKeyframePosition], 1.0f);
        EXPECT_LE(last[kKeyframeTime], 10.0f);

        const double stray = kKeyframeTurn * kKeyframeTurn / 8.0;
        for (double t = 0.0; t <= 10.0; t += 0.0137)
        {
            std::size_t k = 0;
            while (k + 2 < segment.keyframes && first[(k + 1) * segment.Stride() + kKeyframeTime] <= t)
                ++k;
            const float* from = first + k * segment.Stride();
            const float* to = from + segment.Stride();
            const double f =
                std::clamp((t - from[kKeyframeTime]) / (to[kKeyframeTime] - from[kKeyframeTime]), 0.0, 1.0);
            const auto played = [&](std::size_t i) { return from[i] + f * (to[i] - from[i]); };
            EXPECT_NEAR(played(kKeyframePosition), t / 10.0, 1e-6);
            const Affine2 place = PartsAt(motion, t).at(0).place;
            const double want[] = {place.a, place.b, place.c, place.d, place.e, place.f};
            for (std::size_t i = 0; i < std::size(want); ++i)
                EXPECT_NEAR(played(kKeyframeHead + i), want[i], (i < kPartE ? 1.0 : row.arm) * stray + 1e-5)
                    << "number " << i << " at " << t;
        }
    }
}

// Nothing drawn, nothing turns that a straight line would miss: a keyframe
// a position. A simulation that cannot be timed plays its first section
// alone. And parts that draw nothing are not packed, so that a part's place
// among those packed skips them.
TEST_F(PackedMotionTest, PartlessRunsKeepTheirPositionsAndUntimedOnesTheirFirstSection)
{
    SimulationMotion motion = Step(90.0, 10.0, AcDbObjectId());
    motion.sections.push_back(motion.sections.front());
    motion.sections.back().start = 10.0;
    const PackedMotion timed = PackMotion(motion);
    EXPECT_EQ(timed.sections.at(0).segments.at(0).keyframes, 2u);
    EXPECT_EQ(timed.floats.size(), 2 * 2 * kKeyframeHead);
    EXPECT_EQ(timed.starts, (std::vector<double>{0.0, 10.0}));

    motion.problem = "section 2 has speed 0 mph, so its time cannot be known";
    EXPECT_EQ(PackMotion(motion).starts, (std::vector<double>{0.0}));

    SegmentMotion& segment = motion.sections.front().segments.front();
    const PartShape nothing = segment.parts.front();
    PartShape drawn = nothing;
    drawn.definition = addDefinition(L"Arm");
    segment.parts = {nothing, drawn, nothing, nothing, drawn};
    const std::vector<std::optional<std::size_t>> places{std::nullopt, 0, std::nullopt, std::nullopt, 1};
    for (std::size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(PackedPartIndex(segment, i), places[i]) << i;
    EXPECT_EQ(PackMotion(motion).sections.front().segments.front().definitions.size(), 2u);
}
} // namespace
