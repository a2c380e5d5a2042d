// Meetings whose moments are known in closed form: boxes head-on, one of
// them over a section boundary, two vehicles through one junction, an
// overtaking, a graze between samples, a trailer folding into its tractor;
// and pairs that never meet.
#include "analysis/Meetings.h"
#include "tests/analysis/AnalysisTest.h"

#include <gtest/gtest.h>

namespace
{
class MeetingTest : public AnalysisTest
{
protected:
    void SetUp() override
    {
        AnalysisTest::SetUp();
        m_brick = Block(L"Brick", {Box(-1, -0.5, 1, 0.5)});
    }

    // A 2 x 1 brick from one placement to the next at speed.
    SimulationMotion Drive(const Placement& from, const Placement& to, double speed) const
    {
        const dpoint3d& a = from.point;
        const dpoint3d& b = to.point;
        return Section({{{Part(m_brick)}, {from, to}, {0.0, std::hypot(b.x - a.x, b.y - a.y) / speed}}});
    }

    static MeetingReport Met(std::vector<PlayedSimulation> sims, double clearance, double tolerance = 0.05)
    {
        return FindMeetings(sims, {clearance, tolerance});
    }

    AcDbObjectId m_brick;
};

TEST_F(MeetingTest, HeadOnBricksMeetDOverTheClosingSpeedEarlier)
{
    // 10 and 5 a second towards each other, 50 apart: the 48 between their
    // ends closes at 15 a second, and they part once they are 52 + D past.
    const struct
    {
        double clearance;
        double startOfB;
        double first;
        double last;
    } rows[] = {{0.0, 0.0, 48.0 / 15.0, 52.0 / 15.0},
                {0.5, 0.0, 47.5 / 15.0, 52.5 / 15.0},
                {2.0, 0.0, 46.0 / 15.0, 54.0 / 15.0},
                // Starting a second late, b has 5 more to close.
                {0.5, 1.0, 52.5 / 15.0, 57.5 / 15.0}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.clearance);
        const MeetingReport report = Met({{"a", Drive(At(0, 0), At(100, 0), 10.0), 0.0},
                                          {"b", Drive(At(50, 0, 180), At(-50, 0, 180), 5.0), row.startOfB}},
                                         row.clearance);
        ASSERT_EQ(report.meetings.size(), 1u);
        const Meeting& meeting = report.meetings[0];
        EXPECT_EQ(meeting.a.simulation, 0u);
        EXPECT_EQ(meeting.b.simulation, 1u);
        EXPECT_NEAR(meeting.first.time, row.first, 1e-5);
        EXPECT_NEAR(meeting.last.time, row.last, 1e-5);
        EXPECT_EQ(meeting.distance, 0.0);
        // Where each is then, as a fraction of its one step.
        EXPECT_NEAR(meeting.first.a.fraction, row.first / 10.0, 1e-6);
        EXPECT_NEAR(meeting.first.b.fraction, (row.first - row.startOfB) / 20.0, 1e-6);
    }
}

TEST_F(MeetingTest, AMeetingRunsOnIntoTheNextSectionWhereThePartTakesOverInPlace)
{
    // The head-on bricks above, with a's run split into two sections at x =
    // split, its second section's brick shifted aside by jump. They meet
    // from 3.2 s to 3.4667 s, a passing x = 33 at 3.3 s.
    const struct
    {
        double split;
        double jump;
        std::size_t meetings;
        double firstEnds;
        std::size_t firstEndsInSection;
    } rows[] = {{33.0, 0.0, 1, 52.0 / 15.0, 1}, {20.0, 0.0, 1, 52.0 / 15.0, 1}, {33.0, 0.5, 2, 3.3, 0}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::Message() << row.split << " " << row.jump);
        const double t = row.split / 10.0;
        SimulationMotion a;
        a.sections.push_back({1.0, 0, 0.0, t, {{{Part(m_brick)}, {At(0, 0), At(row.split, 0)}, {0.0, t}}}});
        a.sections.push_back(
            {1.0, 0, t, 10.0 - t, {{{Part(m_brick)}, {At(row.split, row.jump), At(100, row.jump)}, {t, 10.0}}}});
        a.duration = 10.0;
        const MeetingReport report = Met({{"a", a, 0.0}, {"b", Drive(At(50, 0, 180), At(-50, 0, 180), 5.0), 0.0}}, 0.0);
        ASSERT_EQ(report.meetings.size(), row.meetings);
        const Meeting& first = report.meetings[0];
        EXPECT_NEAR(first.first.time, 48.0 / 15.0, 1e-5);
        EXPECT_NEAR(first.last.time, row.firstEnds, 1e-5);
        EXPECT_EQ(first.last.a.section, row.firstEndsInSection);
        EXPECT_NEAR(report.meetings.back().last.time, 52.0 / 15.0, 1e-5);
    }
}

TEST_F(MeetingTest, VehiclesThroughOneJunctionTenSecondsApartMeetOnlyWhenStartedTogether)
{
    // a crosses the junction at 5 s, b at 15 s.
    const SimulationMotion a = Drive(At(-50, 0), At(50, 0), 10.0);
    const SimulationMotion b = Drive(At(0, -150, 90), At(0, 50, 90), 10.0);
    EXPECT_TRUE(Met({{"a", a, 0.0}, {"b", b, 0.0}}, 1.0).meetings.empty());
    // a started 10 s late: both are u = 10 t - 150 short of the junction,
    // and their nearest corners sqrt(2) (-1.5 - u) apart.
    for (const double clearance : {0.0, 1.0})
    {
        const MeetingReport report = Met({{"a", a, 10.0}, {"b", b, 0.0}}, clearance);
        ASSERT_EQ(report.meetings.size(), 1u);
        EXPECT_NEAR(report.meetings[0].first.time, (148.5 - clearance / std::sqrt(2.0)) / 10.0, 1e-5);
        EXPECT_NEAR(report.meetings[0].closest.time, 15.0, 0.15);
    }
}

TEST_F(MeetingTest, AnOvertakingLastsWhileTheGapIsWithinTheClearance)
{
    // Lanes 1.5 apart leave 0.5 between the bricks' sides; within D = 1
    // their ends may then be sqrt(1 - 0.25) apart along the road, and b
    // gains 0.5 a second from 20 behind.
    const double along = 2.0 + std::sqrt(0.75);
    const MeetingReport report = Met(
        {{"a", Drive(At(0, 0), At(1000, 0), 10.0), 0.0}, {"b", Drive(At(-20, 1.5), At(1030, 1.5), 10.5), 0.0}}, 1.0);
    ASSERT_EQ(report.meetings.size(), 1u);
    const Meeting& meeting = report.meetings[0];
    EXPECT_NEAR(meeting.first.time, (20.0 - along) / 0.5, 1e-4);
    EXPECT_NEAR(meeting.last.time - meeting.first.time, 2.0 * along / 0.5, 1e-4);
    EXPECT_NEAR(meeting.distance, 0.5, 1e-9);
    EXPECT_NEAR(meeting.ay, 0.5, 1e-9);
    EXPECT_NEAR(meeting.by, 1.0, 1e-9);
}

TEST_F(MeetingTest, AGrazeBetweenTwoSamplesIsFound)
{
    // Two diamonds of half-diagonal 1, one passing over the other in one
    // long step: their tips come 0.299 apart, under D = 0.3, at x = 0 only
    // (sqrt(x^2 + 0.299^2) either side), far from any sample 1 apart.
    const AcDbObjectId diamond = Block(L"Diamond", {Polygon({{1, 0}, {0, 1}, {-1, 0}, {0, -1}})});
    const SimulationMotion parked = Section({{{Part(diamond)}, {At(0, 0)}, {0.0}}});
    const SimulationMotion passing = Section({{{Part(diamond)}, {At(-100.37, 2.299), At(99.63, 2.299)}, {0.0, 20.0}}});
    const MeetingReport report = Met({{"parked", parked, 0.0}, {"passing", passing, 0.0}}, 0.3, 1.0);
    ASSERT_EQ(report.meetings.size(), 1u);
    EXPECT_NEAR(report.meetings[0].distance, 0.299, 1e-9);
    EXPECT_NEAR(report.meetings[0].closest.time, 10.037, 1e-4);
    EXPECT_TRUE(Met({{"parked", parked, 0.0}, {"passing", passing, 0.0}}, 0.29, 1.0).meetings.empty());
}

TEST_F(MeetingTest, ATrailerFoldedIntoItsTractorIsAJackknifeAndBodiesThatMoveAsOneNeverMeet)
{
    // A tractor 5 long (1 behind its hitch) stands still; a trailer 11 long
    // (1 ahead of the hitch), its origin at its rear, folds about the hitch
    // a degree each 0.1 s. Lined up they overlap within sqrt(2) of the hitch,
    // and so are coupled within R = sqrt(2) + T; past that circle the
    // trailer's side reaches the tractor's bottom edge at x = tan(phi / 2),
    // first once tan(phi / 2) = sqrt(R^2 - 1).
    const double tolerance = 0.05;
    const AcDbObjectId tractor = Block(L"Tractor", {Box(-1, -1, 4, 1)});
    const AcDbObjectId trailer = Block(L"Trailer", {Box(0, -1, 11, 1)});
    SegmentMotion folding{{Part(trailer)}, {}, {}};
    for (int degrees = 0; degrees <= 120; ++degrees)
    {
        const double phi = degrees * kPi / 180.0;
        folding.placements.push_back(At(-10.0 * std::cos(phi), -10.0 * std::sin(phi), degrees));
        folding.times.push_back(degrees * 0.1);
    }
    SegmentMotion standing{{Part(tractor)}, {At(0, 0)}, {0.0}};
    // A load riding on the tractor as one body with it.
    SegmentMotion load{{Part(m_brick)}, {At(3, 0)}, {0.0}};
    const MeetingReport report =
        Met({{"rig", Section({standing, folding, load}), 0.0}}, 1.0, tolerance);
    ASSERT_EQ(report.meetings.size(), 1u);
    const Meeting& jackknife = report.meetings[0];
    EXPECT_TRUE(jackknife.hitched);
    EXPECT_EQ(jackknife.a.segment, 0u);
    EXPECT_EQ(jackknife.b.segment, 1u);
    const double radius = std::sqrt(2.0) + tolerance;
    const double fold = 2.0 * std::atan(std::sqrt(radius * radius - 1.0));
    EXPECT_NEAR(jackknife.first.time, fold * 180.0 / kPi * 0.1, 0.05);
}
} // namespace
