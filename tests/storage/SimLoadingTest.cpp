#include "storage/CPmAcadSimList200.h"
#include "storage/SimDictionary.h"
#include "tests/storage/SimDrawingTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using List = std::unique_ptr<CPmSimList200>;

class SimLoadingTest : public SimDrawingTest
{
protected:
    // The object stored under name, open for write as a command edits it.
    static CPmAcadSim200* openForWrite(const CString& name)
    {
        AcDbObject* opened = nullptr;
        EXPECT_EQ(acdbOpenAcDbObject(opened, storedObject(name), AcDb::kForWrite), Acad::eOk);
        CPmAcadSim200* sim = CPmAcadSim200::cast(opened);
        if (sim != nullptr)
            sim->assertWriteEnabled();
        return sim;
    }
};

TEST_F(SimLoadingTest, LoadFindsOnlyCurrentSimulationsAndClosesWhatItRefuses)
{
    EXPECT_EQ(CPmAcadSim200::Load(L"missing"), nullptr);
    auto* thing = new NamedThing();
    ASSERT_EQ(CIvAcadObject::Save(kSimDictionary, L"thing", thing), 0);
    EXPECT_EQ(CPmAcadSim200::Load(L"thing"), nullptr);
    EXPECT_TRUE(isClosed(thing->objectId()));

    store(L"old");
    CPmAcadSim200* old = openForWrite(L"old");
    ASSERT_NE(old, nullptr);
    old->SetIsCurVersion(false);
    old->close();
    EXPECT_EQ(CPmAcadSim200::Load(L"old"), nullptr);
    EXPECT_TRUE(isClosed(storedObject(L"old")));
}

// A loaded copy is the caller's and independent of the stored object; given
// back, a copy is freed while a stored object only has its open cancelled.
TEST_F(SimLoadingTest, LoadSimHandsOutACopyAndDeleteSimOnlyCancelsWhatIsStored)
{
    EXPECT_EQ(CPmDbxFactory200::LoadSim(L"missing"), nullptr);
    CPmDbxFactory200::DeleteSim(nullptr);
    CPmDbxFactory200::DeleteSim(newSim(L"loose"));

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

    CPmAcadSim200* stored = openForWrite(L"a");
    ASSERT_NE(stored, nullptr);
    stored->SetId(9);
    CPmDbxFactory200::DeleteSim(stored);
    EXPECT_TRUE(isClosed(storedObject(L"a")));
    EXPECT_EQ(storedId(L"a"), 7u);
}

// A simulation's Delete sums what removing its blocks and erasing its entry
// answer; deleting by name refuses one in use.
TEST_F(SimLoadingTest, DeleteSumsItsStatusesAndDeleteByNameRefusesASimulationInUse)
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
    copy->AddSection(sectionOf(segmentOf(part, {})));
    EXPECT_EQ(copy->Delete(), -2);
    CPmDbxFactory200::DeleteSim(copy);

    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"none"), 0);
    store(L"busy", 0, true);
    const AcDbHandle shown = storeShown(L"idle");
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"busy"), 2);
    EXPECT_EQ(storedNames(), (std::vector<CString>{L"busy", L"idle"}));
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"idle"), 1);
    EXPECT_EQ(storedNames(), std::vector<CString>{L"busy"});
    EXPECT_EQ(openStatus(idOf(shown)), Acad::eWasErased);
}

using SimListTest = SimDrawingTest;

TEST_F(SimListTest, LookupsIgnoreLetterCaseWhileMarkingInUseMatchesExactly)
{
    const List list(CPmDbxFactory200::MakeSimList());
    EXPECT_EQ(list->Size(), 0);
    for (const wchar_t* name : {L"Run", L"run", L"Walk", L"run"})
        list->Add(newSim(name));

    EXPECT_EQ(list->Index(L"RUN"), 0);
    EXPECT_EQ(list->Sim(L"rUn"), list->Sim(0));
    EXPECT_EQ(list->Index(L"Swim"), -1);
    EXPECT_EQ(list->Sim(L"Swim"), nullptr);
    EXPECT_EQ(list->Sim(-1), nullptr);
    EXPECT_EQ(list->Sim(4), nullptr);

    list->SetSimInUse(L"run");
    EXPECT_EQ(list->Sim(0)->SimInUse(), 0);
    EXPECT_EQ(list->Sim(1)->SimInUse(), 1);
    EXPECT_EQ(list->Sim(2)->SimInUse(), 0);
    EXPECT_EQ(list->Sim(3)->SimInUse(), 1);
    list->ResetUse();
    EXPECT_EQ(list->Sim(3)->SimInUse(), 0);
}

// The drawing's keys ignore letter case while the module's own comparisons
// stay exact: the identifier pass takes "E" for another simulation and
// stores it again, then storing "e" replaces that entry.
TEST_F(SimListTest, TheModulesOwnComparisonsStayWhileTheDrawingIgnoresCase)
{
    store(L"E", kNamesNothing);
    const AcDbObjectId original = storedObject(L"E");
    const auto handles = static_cast<Adesk::UInt64>(db()->handseed());
    store(L"e", kNamesNothing);
    EXPECT_TRUE(original.isErased());
    // One handle for the copy the pass stored, one for "e".
    EXPECT_EQ(static_cast<Adesk::UInt64>(db()->handseed()), handles + 2);
    EXPECT_EQ(storedNames(), std::vector<CString>{L"e"});
    EXPECT_EQ(storedId(L"E"), kNamesNothing);
    const List list(CPmDbxFactory200::LoadSimList(true, false));
    EXPECT_EQ(namesOf(*list), std::vector<CString>{L"e"}) << "not the pass's copy of \"E\"";
}

// Copies that the list stores become the drawing's; the list goes on holding
// them and gives them back without freeing them.
TEST_F(SimListTest, SaveStoresEveryCopyWithItsMarkAndTheListStillHoldsThem)
{
    const List list(CPmDbxFactory200::MakeSimList());
    EXPECT_EQ(list->Save(), 0);
    list->Add(newSim(L"a", 1));
    list->Add(newSim(L"b", 2));
    EXPECT_EQ(list->Save(), 0);
    EXPECT_EQ(storedNames(), (std::vector<CString>{L"a", L"b"}));
    CPmSim200* stored = CPmAcadSim200::Load(L"a");
    EXPECT_EQ(stored, list->Sim(0));
    stored->Close();

    {
        const List loaded(CPmDbxFactory200::LoadSimList(true, false));
        loaded->SetSimInUse(L"b");
        EXPECT_EQ(loaded->Save(), 0);
    }
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"b"), 2);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"a"), 1);
}

TEST_F(SimListTest, LoadingLeavesOutBrokenTiesAndCountsOnlyKeysThatLoadNothing)
{
    CPmAcadSimList200 empty;
    EXPECT_EQ(empty.Load(true, false), Acad::eKeyNotFound);
    EXPECT_EQ(empty.Size(), 0);
    std::vector<CString> names{L"stale"};
    CPmDbxFactory200::LoadSimNames(names);
    EXPECT_TRUE(names.empty());

    store(L"zero", 0);
    store(L"live", liveReference());
    store(L"erased", erasedReference());
    store(L"line", otherObject());
    store(L"nothing", kNamesNothing);
    ASSERT_EQ(CIvAcadObject::Save(kSimDictionary, L"thing", new NamedThing()), 0);

    const std::vector<CString> all{L"erased", L"line", L"live", L"nothing", L"zero"};
    CPmDbxFactory200::LoadSimNames(names);
    EXPECT_EQ(names, all);
    CPmAcadSimList200 list;
    EXPECT_EQ(list.Load(true, false), -1);
    EXPECT_EQ(namesOf(list), all);

    // Loading again appends; without loadAll, broken ties stay out.
    EXPECT_EQ(list.Load(false, false), -1);
    std::vector<CString> twice = all;
    twice.insert(twice.end(), {L"live", L"nothing", L"zero"});
    EXPECT_EQ(namesOf(list), twice);
}
} // namespace
