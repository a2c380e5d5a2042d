#include "geometry/CIvAcadBlock.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "tests/storage/StorageTest.h"

#include <gtest/gtest.h>

namespace
{
class SimStorageTest : public StorageTest
{
protected:
    static CPmAcadSim200* simNamed(const ACHAR* name)
    {
        auto* sim = new CPmAcadSim200();
        sim->SetName(name);
        return sim;
    }

    // A section whose one part holds a block that was never placed, which
    // therefore cannot be removed from the drawing (-1).
    static CPmAcadSection200* sectionWithUnplacedBlock()
    {
        auto* part = new CPmAcadPart();
        part->AddBlock(new CIvAcadBlock());
        auto* segment = new CPmAcadSegment200();
        segment->AddPart(part);
        auto* section = new CPmAcadSection200();
        section->AddSegment(segment);
        return section;
    }
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

TEST_F(SimStorageTest, SavedUnderItsNameAndOpenedByNameForRead)
{
    CPmAcadSim200* first = simNamed(L"a");
    ASSERT_EQ(first->Save(), 0);
    EXPECT_TRUE(isClosed(first->objectId()));
    // The record does not carry the name: the key gives it back.
    first->SetName(L"renamed in memory");

    CPmSim200* loaded = CPmAcadSim200::Load(L"a");
    ASSERT_EQ(loaded, static_cast<CPmSim200*>(first));
    EXPECT_EQ(*loaded->Name(), CString(L"a"));
    EXPECT_TRUE(first->isReadEnabled());
    EXPECT_FALSE(first->isWriteEnabled());
    EXPECT_EQ(loaded->Close(), 0);
    EXPECT_EQ(loaded->Close(), Acad::eNotOpenForRead);

    CPmAcadSim200* second = simNamed(L"a");
    ASSERT_EQ(second->Update(), 0);
    EXPECT_EQ(storedNames(), std::vector<CString>{L"a"});
    EXPECT_TRUE(first->objectId().isErased());
    loaded = CPmAcadSim200::Load(L"a");
    EXPECT_EQ(loaded, static_cast<CPmSim200*>(second));
    loaded->Close();
}

TEST_F(SimStorageTest, LoadFindsNothingButCurrentSimulations)
{
    EXPECT_EQ(CPmAcadSim200::Load(L"missing"), nullptr);

    auto* thing = new NamedThing();
    ASSERT_EQ(CIvAcadObject::Save(L"ZN_SIM", L"thing", thing), 0);
    EXPECT_EQ(CPmAcadSim200::Load(L"thing"), nullptr);
    EXPECT_TRUE(isClosed(thing->objectId()));

    CPmAcadSim200* sim = simNamed(L"a");
    ASSERT_EQ(sim->Save(), 0);
    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, sim->objectId(), AcDb::kForWrite), Acad::eOk);
    sim->SetIsCurVersion(false);
    sim->close();
    EXPECT_EQ(CPmAcadSim200::Load(L"a"), nullptr);
    EXPECT_TRUE(isClosed(sim->objectId()));
}

TEST_F(SimStorageTest, DeleteSumsTheBlockRemovalAndTheErase)
{
    CPmAcadSim200* stored = simNamed(L"a");
    ASSERT_EQ(stored->Save(), 0);

    CPmAcadSim200* copy = simNamed(L"a");
    EXPECT_EQ(copy->Delete(), 0);
    EXPECT_TRUE(stored->objectId().isErased());
    EXPECT_EQ(CPmAcadSim200::Load(L"a"), nullptr);
    EXPECT_EQ(copy->Delete(), -1);

    // Both failures count: the block and the missing entry.
    copy->AddSection(sectionWithUnplacedBlock());
    EXPECT_EQ(copy->Delete(), -2);
    delete copy;
}
} // namespace
