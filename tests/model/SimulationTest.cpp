#include "ModelDoubles.h"

#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

using namespace modeltest;

namespace
{
CPmSection200* sectionOfLength(int length)
{
    auto* section = new CPmSection200();
    section->SetLength(length);
    return section;
}

CPmSegment200* segmentWith(CPmPart* part)
{
    return new CPmSegment200(part, false);
}
} // namespace

TEST(SimulationTest, TimesShowAsLocalTextOrEmpty)
{
    TestSim sim;
    EXPECT_EQ(sim.DttmCreated(), sim.DttmEdited());

    // 1971-01-01 00:00 UTC is still the last evening of 1970 five hours
    // west of Greenwich.
    const ScopedEnvironment zone("TZ", "EST5");
    sim.SetDttmCreated(CTime(86400 * 365));
    EXPECT_EQ(sim.DttmCreated(), L"Thu Dec 31 19:00:00 1970");

    sim.SetDttmEdited(CTime(-1));
    EXPECT_TRUE(sim.DttmEdited().IsEmpty());
}

TEST(SimulationTest, LengthAndLookupFollowTheConcatenatedSections)
{
    TestSim sim;
    int pos = 3;
    EXPECT_EQ(sim.Section(pos), nullptr);
    EXPECT_EQ(pos, 3);

    CPmSection200* first = sectionOfLength(10);
    CPmSection200* second = sectionOfLength(5);
    sim.AddSection(first);
    sim.AddSection(sectionOfLength(0));
    sim.AddSection(second);
    sim.AddSection(nullptr);
    EXPECT_EQ(sim.Length(), 15);
    EXPECT_EQ(sim.Sections()->size(), 3u);

    const struct
    {
        int pos;
        CPmSection200* section;
        int within;
    } cases[] = {{0, first, 0}, {9, first, 9}, {10, second, 0}, {14, second, 4},
                 {15, nullptr, 0}, {20, nullptr, 5}, {-3, first, -3}};
    for (const auto& c : cases)
    {
        pos = c.pos;
        EXPECT_EQ(sim.Section(pos), c.section) << "position " << c.pos;
        EXPECT_EQ(pos, c.within) << "position " << c.pos;
    }

    // The total was taken as the sections came; later changes don't reach it.
    second->SetLength(1);
    EXPECT_EQ(sim.Length(), 15);
}

TEST(SimulationTest, DeleteStopsAtTheFirstFailedPart)
{
    Log log;
    TestSim empty;
    EXPECT_EQ(empty.Delete(), 0);

    TestSim sim;
    auto* first = new CPmSection200();
    TestPart* withSubPart = partWithBlock("a", &log);
    withSubPart->AddPart(partWithBlock("a1", &log));
    first->AddSegment(segmentWith(withSubPart));
    first->AddSegment(new CPmSegment200()); // no part: nothing to remove
    sim.AddSection(first);
    auto* second = new CPmSection200();
    second->AddSegment(segmentWith(partWithBlock("b", &log, 5)));
    second->AddSegment(segmentWith(partWithBlock("c", &log)));
    sim.AddSection(second);
    log.clear();

    EXPECT_EQ(sim.Delete(), 5);
    EXPECT_EQ(log, (Log{"remove a", "remove a1", "remove b"}));
    EXPECT_EQ(sim.Sections()->size(), 2u);
}

TEST(SimulationTest, DumpShowsTheWholeTree)
{
    TestSim sim;
    std::wstringstream emptyDump;
    emptyDump << sim;
    EXPECT_EQ(emptyDump.str(), L"\nCPmSim: \n  name: \n  len: 0\n  sections: \n");

    TestPart* part = partWithBlock("b1", nullptr);
    part->SetOffset({1.5, -2, 0});
    part->AddPart(partWithBlock("b2", nullptr));
    auto* segment = segmentWith(part);
    PmPosition200 a, b;
    a.pt = {1, 2, 0};
    a.tpt = {0.5, 0, 0};
    b.pt = {3.25, 1e-7, 123456789};
    segment->AddPath({a, b});
    auto* section = new CPmSection200();
    section->SetSpeed(100, 1);
    section->AddSegment(segmentWith(new TestPart()));
    section->AddSegment(segment);
    sim.AddSection(section);
    sim.SetName(L"Demo");

    std::wstringstream dump;
    EXPECT_EQ(&(dump << sim), &dump);
    EXPECT_EQ(dump.str(), L"\nCPmSim: \n  name: Demo\n  len: 2\n  sections: \n"
                          L"\nCPmSection: \n  speed: 62.1371\n  speed units: 1\n  len: 2\n  segments: \n"
                          L"\nCPmSegment: \n"
                          L"\nCPmPart: \n  block: \n  offset: (0, 0, 0)\n  subparts: \n"
                          L"  Positions: \n"
                          L"\nCPmSegment: \n"
                          L"\nCPmPart: \n  block: [b1]\n  offset: (1.5, -2, 0)\n  subparts: \n"
                          L"\nCPmPart: \n  block: [b2]\n  offset: (0, 0, 0)\n  subparts: \n"
                          L"  Positions: \n"
                          L"  pt: (1, 2, 0) tpt: (0.5, 0, 0)\n"
                          L"  pt: (3.25, 1e-07, 1.23457e+08) tpt: (0, 0, 0)\n");
}
