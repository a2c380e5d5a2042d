#include "tests/storage/SimDrawingTest.h"

#include <gtest/gtest.h>

namespace
{
class SimLoadingTest : public SimDrawingTest
{
};

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

TEST_F(SimLoadingTest, DeleteSimByNameRefusesASimulationInUse)
{
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"none"), 0);

    store(L"busy", 0, true);
    const AcDbHandle shown = storeShown(L"idle");

    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"busy"), 2);
    EXPECT_EQ(storedNames(), (std::vector<CString>{L"busy", L"idle"}));

    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"idle"), 1);
    EXPECT_EQ(storedNames(), std::vector<CString>{L"busy"});
    EXPECT_EQ(referenceStatus(shown), Acad::eWasErased);
}
} // namespace
