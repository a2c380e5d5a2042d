#include "ModelDoubles.h"

#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"

#include <gtest/gtest.h>

using namespace modeltest;

// A unit past the known ones leaves speed and unit as they were; a speed
// given to the constructor is taken as miles per hour.
TEST(SectionTest, SpeedIsHeldInMilesPerHourWithTheUnitItWasGivenIn)
{
    const struct { double given; int unit; double mph; int unitKept; } rows[] = {
        {100, 1, 62.1371192, 1}, {10, 2, 11.5077945, 2}, {30, 0, 30, 0}, {50, 3, 30, 0}, {50, -1, 30, 0}};
    CPmSection200 section;
    for (const auto& row : rows)
    {
        section.SetSpeed(row.given, row.unit);
        EXPECT_DOUBLE_EQ(section.Speed(), row.mph) << row.unit;
        EXPECT_EQ(section.SpeedUnits(), row.unitKept) << row.unit;
    }
    EXPECT_EQ(CPmSection200(25, 1).Speed(), 25.0);
}

TEST(SectionTest, LengthIsThatOfTheSegmentAddedLast)
{
    CPmSection200 section;
    for (int length : {12, 8})
    {
        auto* segment = new CPmSegment200();
        segment->SetLength(length);
        section.AddSegment(segment);
    }
    section.AddSegment(nullptr);
    EXPECT_EQ(section.Length(), 8);
    EXPECT_EQ(section.Segments()->size(), 2u);
}

TEST(SegmentTest, AddPathAppendsRunsAndGrowsTheLength)
{
    const auto at = [](double x) {
        PmPosition200 position;
        position.pt.x = x;
        return position;
    };
    const auto xs = [](CPmSegment200& segment) {
        std::vector<double> out;
        for (const PmPosition200& position : *segment.Positions())
            out.push_back(position.pt.x);
        return out;
    };

    CPmSegment200 segment;
    EXPECT_EQ(segment.Position(0), nullptr);
    segment.AddPath({at(1), at(2)});
    segment.AddPath({at(3), at(4), at(5)});
    segment.AddPath({});
    EXPECT_EQ(segment.Length(), 5);
    EXPECT_EQ(xs(segment), (std::vector<double>{1, 2, 3, 4, 5}));
    ASSERT_NE(segment.Position(4), nullptr);
    EXPECT_EQ(segment.Position(4)->pt.x, 5.0);
    EXPECT_EQ(segment.Position(5), nullptr);

    // A segment's own run appended again must come out doubled, not garbled.
    segment.AddPath(*segment.Positions());
    EXPECT_EQ(segment.Length(), 10);
    EXPECT_EQ(xs(segment), (std::vector<double>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
}
