// A simulation's motion gathered from the module's records and the drawing:
// the part tree with its blocks, sections in order, and the simulations that
// cannot be timed.
#include "drawing/Angles.h"
#include "geometry/CIvAcadBlock.h"
#include "model/CPmSim200.h"
#include "motion/SimulationMotion.h"
#include "motion/Timing.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmDbxFactory200.h"
#include "tests/support/BlockDrawingTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{

// Drawing units of this many metres make 1 mph one unit a second.
constexpr double kUnitPerMph = kMetresPerSecondPerMph;

PmPosition200 Heading(double x, double y, double degrees)
{
    return {{x, y, 0.0}, {}, CZnTransform(CZnVector(0, 0, 1), degrees * kPi / 180.0)};
}

class SimulationMotionTest : public BlockDrawingTest
{
protected:
    // The simulation is an object of the host's heap: made once the test's
    // count of live objects has begun.
    void SetUp() override
    {
        BlockDrawingTest::SetUp();
        m_sim.reset(CPmDbxFactory200::MakeSim(1, 0));
    }

    void TearDown() override
    {
        m_sim.reset();
        BlockDrawingTest::TearDown();
    }

    CPmAcadPart* Part(const ACHAR* block, dpoint3d offset, double scale = 1.0)
    {
        auto* part = new CPmAcadPart();
        part->SetOffset(offset);
        part->AddBlock(new CIvAcadBlock(newSource(block, {50, 50, 0}, AcGeScale3d(scale)).get()));
        return part;
    }

    CPmSection200* AddSection(double mph, std::vector<PmPosition200> path, CPmPart* part)
    {
        auto* segment = new CPmAcadSegment200();
        segment->AddPart(part);
        segment->AddPath(path);
        auto* section = new CPmAcadSection200();
        section->SetSpeed(mph, 0);
        section->AddSegment(segment);
        m_sim->AddSection(section);
        return section;
    }

    std::unique_ptr<CPmSim200> m_sim;
};

TEST_F(SimulationMotionTest, PartsAddUpTheirOffsetsAndTakeTheirReferencesScale)
{
    CPmAcadPart* tractor = Part(L"Tractor", {1, 0, 0}, 2.0);
    CPmAcadPart* trailer = Part(L"Trailer", {-2, 0, 0});
    trailer->AddPart(Part(L"Bike", {0, 3, 0}));
    tractor->AddPart(trailer);
    AddSection(1.0, {Heading(10, 20, 90)}, tractor);

    const SimulationMotion motion = MotionOf(*m_sim, kUnitPerMph);
    const std::vector<PartShape>& parts = motion.sections.at(0).segments.at(0).parts;
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[2].depth, 2);
    EXPECT_EQ(parts[2].offset.x, -1.0);
    EXPECT_EQ(parts[2].offset.y, 3.0);
    EXPECT_EQ(parts[0].shape.a, 2.0);
    EXPECT_EQ(parts[1].shape.a, 1.0);

    const std::vector<PlacedPart> placed = PartsAt(motion, 0.0);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].definition, parts[0].definition);
    // Heading 90: the tree's x runs up the drawing, its y to the left, and
    // the reference's own position (50, 50) plays no part.
    EXPECT_NEAR(placed[2].place.e, 10.0 - 3.0, 1e-12);
    EXPECT_NEAR(placed[2].place.f, 20.0 - 1.0, 1e-12);
    EXPECT_NEAR(placed[0].place.b, 2.0, 1e-12);
}

TEST_F(SimulationMotionTest, SectionsPlayInOrderEachAtItsSpeed)
{
    AddSection(1.0, {Heading(0, 0, 0), Heading(2, 0, 0), Heading(6, 0, 0)}, Part(L"A", {}));
    AddSection(2.0, {Heading(6, 0, 0), Heading(6, 4, 90)}, Part(L"B", {}));

    const SimulationMotion motion = MotionOf(*m_sim, kUnitPerMph);
    EXPECT_EQ(motion.problem, "");
    EXPECT_NEAR(motion.duration, 8.0, 1e-12);
    EXPECT_NEAR(motion.sections[1].start, 6.0, 1e-12);
    const Moment moment = MomentAt(motion, 7.0);
    EXPECT_EQ(moment.section, 1u);
    EXPECT_NEAR(moment.time, 7.0, 1e-12);
    EXPECT_NEAR(motion.sections[1].segments[0].times.back(), 8.0, 1e-12);
    EXPECT_NEAR(PartsAt(motion, 4.0).at(0).place.e, 4.0, 1e-12);
    // Half way up the second section's step, turned half way.
    const Affine2 place = PartsAt(motion, 7.0).at(0).place;
    EXPECT_NEAR(place.f, 2.0, 1e-12);
    EXPECT_NEAR(std::atan2(place.b, place.a), kPi / 4, 1e-12);
    EXPECT_NEAR(PartsAt(motion, 100.0).at(0).place.f, 4.0, 1e-12);
}

TEST_F(SimulationMotionTest, SegmentsOfEqualCountsStepOnTheFirstOnesClockOthersOnTheirOwn)
{
    // A unit 4 long on a path twice its trailer's: as many positions each.
    CPmSection200* section = AddSection(1.0, {Heading(0, 0, 0), Heading(4, 0, 0)}, Part(L"A", {}));
    auto* trailer = new CPmAcadSegment200();
    trailer->AddPart(Part(L"B", {}));
    trailer->AddPath({Heading(-8, 0, 0), Heading(-6, 0, 0)});
    section->AddSegment(trailer);
    EXPECT_EQ(MotionOf(*m_sim, kUnitPerMph).sections[0].segments[1].times, (std::vector<double>{0.0, 4.0}));
    // One more position: each on its own clock, as before.
    trailer->AddPath({Heading(-5, 0, 0)});
    EXPECT_EQ(MotionOf(*m_sim, kUnitPerMph).sections[0].segments[1].times, (std::vector<double>{0.0, 2.0, 3.0}));
}

TEST_F(SimulationMotionTest, ZeroSpeedOrNoPositionsSaysSoAndStandsStill)
{
    EXPECT_EQ(MotionOf(*m_sim, 1.0).problem, "it has no sections");
    EXPECT_TRUE(PartsAt(MotionOf(*m_sim, 1.0), 1.0).empty());

    AddSection(1.0, {Heading(0, 0, 0), Heading(2, 0, 0)}, Part(L"A", {}));
    CPmSection200* stopped = AddSection(1.0, {Heading(2, 0, 0), Heading(4, 0, 0)}, Part(L"B", {}));
    stopped->SetSpeed(0.0, 0);
    SimulationMotion motion = MotionOf(*m_sim, kUnitPerMph);
    EXPECT_NE(motion.problem.find("section 2 has speed 0"), std::string::npos) << motion.problem;
    EXPECT_EQ(motion.duration, 0.0);
    EXPECT_EQ(PartsAt(motion, 3.0).at(0).place.e, 0.0);

    stopped->SetSpeed(1.0, 0);
    stopped->Segments()->at(0)->Positions()->clear();
    motion = MotionOf(*m_sim, kUnitPerMph);
    EXPECT_EQ(motion.problem, "section 2 has no positions");
}
} // namespace
