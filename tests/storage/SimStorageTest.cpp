#include "geometry/CIvAcadBlock.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "tests/storage/StorageTest.h"

#include <gtest/gtest.h>

namespace
{
CPmAcadSim200* simNamed(const ACHAR* name)
{
    auto* sim = new CPmAcadSim200();
    sim->SetName(name);
    return sim;
}

class SimStorageTest : public StorageTest
{
};

TEST_F(SimStorageTest, ARecordOfAnotherVersionIsNeverStored)
{
    CPmAcadSim200* sim = simNamed(L"old");
    sim->SetIsCurVersion(false);
    EXPECT_EQ(sim->Save(), -1);
    EXPECT_EQ(sim->Update(), -1);
    EXPECT_FALSE(namedObjectsHold(L"ZN_SIM"));
    delete sim;
}

TEST_F(SimStorageTest, LoadFindsOnlyCurrentSimulationsAndClosesWhatItRefuses)
{
    EXPECT_EQ(CPmAcadSim200::Load(L"missing"), nullptr);
    auto* thing = new NamedThing();
    ASSERT_EQ(CIvAcadObject::Save(L"ZN_SIM", L"thing", thing), 0);
    EXPECT_EQ(CPmAcadSim200::Load(L"thing"), nullptr);
    EXPECT_TRUE(isClosed(thing->objectId()));

    CPmAcadSim200* sim = simNamed(L"old");
    ASSERT_EQ(sim->Save(), 0);
    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, sim->objectId(), AcDb::kForWrite), Acad::eOk);
    sim->SetIsCurVersion(false);
    sim->close();
    EXPECT_EQ(CPmAcadSim200::Load(L"old"), nullptr);
    EXPECT_TRUE(isClosed(sim->objectId()));
}

TEST_F(SimStorageTest, DeleteSumsTheBlockRemovalAndTheErase)
{
    CPmAcadSim200* stored = simNamed(L"a");
    ASSERT_EQ(stored->Save(), 0);
    CPmAcadSim200* copy = simNamed(L"a");
    EXPECT_EQ(copy->Delete(), 0);
    EXPECT_TRUE(stored->objectId().isErased());
    EXPECT_EQ(copy->Delete(), -1);

    // A block that was never placed cannot be removed either: -1 more.
    auto* part = new CPmAcadPart();
    part->AddBlock(new CIvAcadBlock());
    auto* segment = new CPmAcadSegment200();
    segment->AddPart(part);
    auto* section = new CPmAcadSection200();
    section->AddSegment(segment);
    copy->AddSection(section);
    EXPECT_EQ(copy->Delete(), -2);
    delete copy;
}
} // namespace
