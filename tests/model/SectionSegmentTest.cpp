#include "ModelDoubles.h"

#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"

#include <gtest/gtest.h>

using namespace modeltest;

namespace
{
PmPosition200 positionAt(double x)
{
    PmPosition200 position;
    position.pt = {x, 0, 0};
    position.transform.SetTranslation(CZnVector(x, 0, 0));
    return position;
}

std::vector<double> pathXs(CPmSegment200& segment)
{
    std::vector<double> xs;
    for (const PmPosition200& position : *segment.Positions())
        xs.push_back(position.pt.x);
    return xs;
}
} // namespace

TEST(SectionTest, SpeedIsHeldInMilesPerHourWithTheUnitItWasGivenIn)
{
    CPmSection200 section;
    EXPECT_EQ(section.Speed(), 10.0);
    EXPECT_EQ(section.SpeedUnits(), 0);

    section.SetSpeed(100, 1);
    EXPECT_DOUBLE_EQ(section.Speed(), 62.1371192);
    EXPECT_EQ(section.SpeedUnits(), 1);
    section.SetSpeed(10, 2);
    EXPECT_DOUBLE_EQ(section.Speed(), 11.5077945);
    EXPECT_EQ(section.SpeedUnits(), 2);
    section.SetSpeed(30, 0);
    EXPECT_EQ(section.Speed(), 30.0);
    EXPECT_EQ(section.SpeedUnits(), 0);

    for (int unknown : {3, -1})
    {
        section.SetSpeed(50, unknown);
        EXPECT_EQ(section.Speed(), 30.0);
        EXPECT_EQ(section.SpeedUnits(), 0);
    }

    const CPmSection200 given(25, 1);
    EXPECT_EQ(given.Speed(), 25.0);
    EXPECT_EQ(given.SpeedUnits(), 1);
}

TEST(SectionTest, LengthIsThatOfTheSegmentAddedLast)
{
    CPmSection200 section;
    auto* longer = new CPmSegment200();
    longer->SetLength(12);
    auto* shorter = new CPmSegment200();
    shorter->SetLength(8);
    section.AddSegment(longer);
    section.AddSegment(shorter);
    section.AddSegment(nullptr);
    EXPECT_EQ(section.Length(), 8);
    EXPECT_EQ(*section.Segments(), (std::vector<CPmSegment200*>{longer, shorter}));
}

TEST(SegmentTest, AddPathAppendsRunsAndGrowsTheLength)
{
    CPmSegment200 segment;
    EXPECT_EQ(segment.Length(), 0);
    EXPECT_EQ(segment.Position(0), nullptr);
    EXPECT_EQ(segment.Block(), nullptr);

    segment.AddPath({positionAt(1), positionAt(2)});
    segment.AddPath({positionAt(3), positionAt(4), positionAt(5)});
    segment.AddPath({});
    EXPECT_EQ(segment.Length(), 5);
    EXPECT_EQ(pathXs(segment), (std::vector<double>{1, 2, 3, 4, 5}));
    ASSERT_NE(segment.Position(4), nullptr);
    CZnVector translation;
    segment.Position(4)->transform.GetTranslation(translation);
    EXPECT_EQ(translation.x, 5.0);
    EXPECT_EQ(segment.Position(5), nullptr);

    // A segment's own run appended again must come out doubled, not garbled.
    segment.AddPath(*segment.Positions());
    EXPECT_EQ(segment.Length(), 10);
    EXPECT_EQ(pathXs(segment), (std::vector<double>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
}

TEST(SegmentTest, OwnsItsPartAndReachesItsBlock)
{
    Log log;
    const int liveBefore = g_live;
    for (bool flag : {false, true})
    {
        TestPart* part = partWithBlock("block", &log);
        auto* segment = new CPmSegment200(part, flag);
        EXPECT_EQ(segment->Part(), part);
        EXPECT_EQ(segment->Block(), part->Block());
        EXPECT_EQ(segment->Length(), 0);
        delete segment;
        EXPECT_EQ(g_live, liveBefore);
    }
}
