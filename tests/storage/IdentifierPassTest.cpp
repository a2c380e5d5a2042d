#include "tests/storage/SimDrawingTest.h"

#include <gtest/gtest.h>

namespace
{
class IdentifierPassTest : public SimDrawingTest
{
};

TEST_F(IdentifierPassTest, TheSimulationSavedLastKeepsASharedIdentifier)
{
    const unsigned __int64 live = liveReference();
    store(L"B", live);
    store(L"A", live);
    // A name differing only in letter case is another simulation.
    store(L"a", live);
    EXPECT_EQ(storedId(L"B"), 0u);
    EXPECT_EQ(storedId(L"A"), 0u);
    EXPECT_EQ(storedId(L"a"), live);

    // Ties to nothing are cleared too; broken ones are left alone.
    const unsigned __int64 erased = erasedReference();
    const unsigned __int64 line = otherObject();
    for (unsigned __int64 id : {erased, line, kNamesNothing})
    {
        store(L"first", id);
        store(L"second", id);
        EXPECT_EQ(storedId(L"first"), id == kNamesNothing ? 0u : id);
    }
}

// The others are stored again as fresh copies: same content, edited now.
TEST_F(IdentifierPassTest, IdentifierZeroStoresEveryOtherSimulationWithItAgain)
{
    const CTime longAgo(1000000000);
    CPmSim200* zero = newSim(L"zero", 0);
    AcDbHandle shown;
    zero->AddSection(sectionWithBlock(&shown));
    zero->SetDttmEdited(longAgo);
    ASSERT_EQ(zero->Save(), 0);
    store(L"other", 5);
    const AcDbObjectId other = storedObject(L"other");

    store(L"new", 0);
    EXPECT_EQ(storedObject(L"other"), other);
    CPmSim200* copy = CPmAcadSim200::Load(L"zero");
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->DttmEditedTime(), longAgo);
    EXPECT_EQ(copy->Id(), 0u);
    EXPECT_EQ(*copy->Sections()->at(0)->Segments()->at(0)->Part()->Block()->Handle(), shown);
    copy->Close();
}
} // namespace
