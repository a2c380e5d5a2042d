#include "storage/CPmAcadSimList200.h"
#include "storage/SimDictionary.h"
#include "tests/storage/SimDrawingTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using List = std::unique_ptr<CPmSimList200>;

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
// stay as they are: the identifier pass takes "E" for another simulation and
// stores it again, then storing "e" replaces that entry; a list finds "e" as
// "E", and marking in use still compares exactly.
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
    ASSERT_EQ(list->Size(), 1);
    EXPECT_EQ(list->Index(L"E"), 0);
    EXPECT_EQ(list->Sim(L"E"), list->Sim(0));
    list->SetSimInUse(L"E");
    EXPECT_EQ(list->Sim(0)->SimInUse(), 0);
    list->SetSimInUse(L"e");
    EXPECT_EQ(list->Sim(0)->SimInUse(), 1);
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
