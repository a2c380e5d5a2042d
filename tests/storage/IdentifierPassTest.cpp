#include "tests/storage/SimDrawingTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const CTime kLongAgo(1000000000);

// Stores sim as the simulation of its name without the pass, as if saved
// long before; a later store by the pass shows in its edit time.
void storeLongAgo(CPmSim200* sim)
{
    sim->SetDttmEdited(kLongAgo);
    ASSERT_EQ(CIvAcadObject::Save(L"ZN_SIM", *sim->Name(), static_cast<CPmAcadSim200*>(sim)), 0);
}

class IdentifierPassTest : public SimDrawingTest
{
protected:
    static bool storedAgain(const CString& name)
    {
        CPmSim200* sim = CPmAcadSim200::Load(name);
        if (sim == nullptr)
            return false;
        const bool edited = sim->DttmEditedTime() != kLongAgo;
        sim->Close();
        return edited;
    }
};

TEST_F(IdentifierPassTest, TheSimulationSavedLastKeepsASharedIdentifier)
{
    const unsigned __int64 live = liveReference();
    store(L"B", live);
    store(L"A", live);
    EXPECT_EQ(storedId(L"B"), 0u);
    EXPECT_EQ(storedId(L"A"), live);

    // A name differing only in letter case is another simulation.
    store(L"a", live);
    EXPECT_EQ(storedId(L"A"), 0u);
    EXPECT_EQ(storedId(L"a"), live);

    // Saving under a stored name replaces that entry and clears no one.
    CPmSim200* again = newSim(L"a", live);
    ASSERT_EQ(again->Save(), 0);
    EXPECT_EQ(storedObject(L"a"), static_cast<CPmAcadSim200*>(again)->objectId());
    EXPECT_EQ(storedId(L"a"), live);
}

TEST_F(IdentifierPassTest, OnlyTiesToALiveBlockReferenceOrToNothingAreCleared)
{
    const unsigned __int64 erased = erasedReference();
    const unsigned __int64 line = otherObject();
    storeLongAgo(newSim(L"to nothing", kNamesNothing));
    storeLongAgo(newSim(L"to erased", erased));
    storeLongAgo(newSim(L"to line", line));

    store(L"new to nothing", kNamesNothing);
    store(L"new to erased", erased);
    store(L"new to line", line);
    EXPECT_EQ(storedId(L"to nothing"), 0u);
    EXPECT_EQ(storedId(L"to erased"), erased);
    EXPECT_EQ(storedId(L"to line"), line);
    EXPECT_TRUE(storedAgain(L"to nothing"));
    EXPECT_FALSE(storedAgain(L"to erased"));
    EXPECT_FALSE(storedAgain(L"to line"));
}

// Everything else that carries identifier 0 is stored again as a fresh copy:
// same content, identifier still 0, edited now.
TEST_F(IdentifierPassTest, IdentifierZeroStoresEveryOtherSimulationWithItAgain)
{
    CPmSim200* zero = newSim(L"zero", 0);
    AcDbHandle shown;
    zero->AddSection(sectionWithBlock(&shown));
    zero->SetType(4);
    zero->SetDttmCreated(kLongAgo);
    storeLongAgo(zero);
    storeLongAgo(newSim(L"other", 5));
    const AcDbObjectId before = storedObject(L"zero");

    store(L"new", 0);
    EXPECT_NE(storedObject(L"zero"), before);
    EXPECT_TRUE(storedAgain(L"zero"));
    EXPECT_FALSE(storedAgain(L"other"));
    CPmSim200* copy = CPmAcadSim200::Load(L"zero");
    EXPECT_EQ(copy->Id(), 0u);
    EXPECT_EQ(copy->Type(), 4);
    EXPECT_EQ(copy->DttmCreatedTime(), kLongAgo);
    EXPECT_EQ(*copy->Sections()->at(0)->Segments()->at(0)->Part()->Block()->Handle(), shown);
    copy->Close();
}
} // namespace
