#include "tests/storage/SimDrawingTest.h"
#include "storage/SimDictionary.h"

#include <gtest/gtest.h>

namespace
{
using SimLoadingTest = SimDrawingTest;

TEST_F(SimLoadingTest, LoadFindsOnlyCurrentSimulationsAndClosesWhatItRefuses)
{
    EXPECT_EQ(CPmAcadSim200::Load(L"missing"), nullptr);
    auto* thing = new NamedThing();
    ASSERT_EQ(CIvAcadObject::Save(kSimDictionary, L"thing", thing), 0);
    EXPECT_EQ(CPmAcadSim200::Load(L"thing"), nullptr);
    EXPECT_TRUE(isClosed(thing->objectId()));

    store(L"old");
    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, storedObject(L"old"), AcDb::kForWrite), Acad::eOk);
    opened->assertWriteEnabled();
    CPmAcadSim200::cast(opened)->SetIsCurVersion(false);
    opened->close();
    EXPECT_EQ(CPmAcadSim200::Load(L"old"), nullptr);
    EXPECT_TRUE(isClosed(storedObject(L"old")));
}

TEST_F(SimLoadingTest, LoadSimHandsOutAnIndependentCopyAndClosesTheStoredObject)
{
    EXPECT_EQ(CPmDbxFactory200::LoadSim(L"missing"), nullptr);

    store(L"a", 7);
    CPmSim200* copy = CPmDbxFactory200::LoadSim(L"a");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(*copy->Name(), CString(L"a"));
    EXPECT_EQ(copy->Id(), 7u);
    EXPECT_TRUE(copy->IsCurVersion());
    EXPECT_TRUE(isClosed(storedObject(L"a")));

    copy->SetId(9);
    EXPECT_EQ(storedId(L"a"), 7u);
    CPmDbxFactory200::DeleteSim(copy);
}

TEST_F(SimLoadingTest, DeleteSimFreesWhatIsInMemoryAndOnlyCancelsWhatIsStored)
{
    CPmDbxFactory200::DeleteSim(nullptr);
    CPmDbxFactory200::DeleteSim(newSim(L"loose"));

    store(L"a", 7);
    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, storedObject(L"a"), AcDb::kForWrite), Acad::eOk);
    CPmAcadSim200* stored = CPmAcadSim200::cast(opened);
    ASSERT_NE(stored, nullptr);
    stored->assertWriteEnabled();
    stored->SetId(9);
    CPmDbxFactory200::DeleteSim(stored);
    EXPECT_TRUE(isClosed(storedObject(L"a")));
    EXPECT_EQ(storedId(L"a"), 7u);
}

// A simulation's Delete sums what removing its blocks and erasing its entry
// answer.
TEST_F(SimLoadingTest, DeleteSumsTheBlockRemovalAndTheErase)
{
    store(L"a");
    const AcDbObjectId stored = storedObject(L"a");
    CPmSim200* copy = newSim(L"a");
    EXPECT_EQ(copy->Delete(), 0);
    EXPECT_TRUE(stored.isErased());
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
    CPmDbxFactory200::DeleteSim(copy);
}

TEST_F(SimLoadingTest, DeleteSimByNameRefusesASimulationInUse)
{
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"none"), 0);

    store(L"busy", 0, true);
    const AcDbHandle shown = storeShown(L"idle");

    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"busy"), 2);
    EXPECT_EQ(storedNames(), (std::vector<CString>{L"busy", L"idle"}));

    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"idle"), 1);
    EXPECT_EQ(storedNames(), std::vector<CString>{L"busy"});
    EXPECT_EQ(openStatus(idOf(shown)), Acad::eWasErased);
}
} // namespace
