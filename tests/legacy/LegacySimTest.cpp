// Simulations of the previous release on their way through this module:
// read as copies that cannot be saved, upgraded one by one or while a list is
// loaded, deleted, cleared away, and all of it again with the previous
// release's module gone.
#include "host/AcRxDynamicLinker.h"
#include "host/legacy101/CPmAcadSim.h"
#include "host/legacy101/CPmDbxFactory.h"
#include "storage/CPmAcadSimList200.h"
#include "storage/CleanSims.h"
#include "tests/legacy/LegacyTest.h"
#include "tests/storage/SimDrawingTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

class LegacySimTest : public SimDrawingTest
{
protected:
    void SetUp() override
    {
        SimDrawingTest::SetUp();
        ASSERT_TRUE(acrxLoadModule(LegacyModulePath().c_str(), false));
        m_file = fs::temp_directory_path() / ("znsim-" + std::to_string(::getpid()) + ".drawing");
    }

    // The previous release's module goes only after the drawing holding its
    // objects.
    void TearDown() override
    {
        SimDrawingTest::TearDown();
        acrxUnloadModule(LegacyModulePath().c_str());
        fs::remove(m_file);
    }

    // A version-101 simulation whose one part shows a placed legacy block,
    // stored through the previous release's own Save; the block's handle.
    AcDbHandle storeLegacy(const CString& name, unsigned __int64 id, bool inUse = false)
    {
        CZnBlock* block =
            CPmDbxFactory::CreateBlock(newSource((name.str() + L" block").c_str(), {0, 0, 0}).get());
        EXPECT_EQ(block->AddToDrawing(false), Acad::eOk);
        CPmPart* part = CPmDbxFactory::MakePart();
        part->AddBlock(block);
        CPmSegment* segment = CPmDbxFactory::MakeSegment();
        segment->AddPart(part);
        segment->AddPath({{{3, 4, 7}, 0.5, {1, 1, 1}}});
        CPmSection* section = CPmDbxFactory::MakeSection(10.0, 0);
        section->AddSegment(segment);
        CPmSim* sim = CPmDbxFactory::MakeSim(id, 2);
        sim->SetName(name);
        sim->SetSimInUse(inUse);
        sim->AddSection(section);
        EXPECT_EQ(sim->Save(), 0);
        return *part->Block()->Handle();
    }

    // Whether the entry name is still the previous release's object.
    static bool storedAsLegacy(const CString& name)
    {
        return storedObject(name).objectClass() == CPmAcadSim::desc();
    }

    // Saves the drawing and reads it back once the previous release's module
    // has gone: its simulations are kept as they were written.
    void readBackWithoutTheLegacyModule()
    {
        ASSERT_EQ(db()->saveAs(m_file.wstring().c_str()), Acad::eOk);
        freshEmptyDatabase();
        ASSERT_TRUE(acrxUnloadModule(LegacyModulePath().c_str()));
        ASSERT_EQ(freshEmptyDatabase()->readDwgFile(m_file.wstring().c_str()), Acad::eOk);
    }

    fs::path m_file;
};

TEST_F(LegacySimTest, ALegacySimulationIsSavedAgainOnlyThroughTheUpgrade)
{
    storeLegacy(L"Old", 7, true);
    store(L"New", 8);
    const AcDbObjectId current = storedObject(L"New");
    EXPECT_EQ(CPmAcadSim200::Load(L"Old"), nullptr);
    CPmSim200* copy = CPmDbxFactory200::LoadSim(L"Old");
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->IsCurVersion());
    EXPECT_EQ(*copy->Name(), CString(L"Old"));
    EXPECT_EQ(copy->SimInUse(), 1);
    EXPECT_EQ(copy->Length(), 1);
    EXPECT_EQ(copy->Save(), -1);
    CPmDbxFactory200::DeleteSim(copy);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"Old"), 2);
    EXPECT_TRUE(storedAsLegacy(L"Old"));

    for (const wchar_t* name : {L"Old", L"New", L"Missing"})
        CPmDbxFactory200::UpgradeSim(name);
    EXPECT_EQ(storedId(L"Old"), 7u);
    EXPECT_EQ(storedObject(L"New"), current);
    EXPECT_EQ(storedNames(), (std::vector<CString>{L"New", L"Old"}));
}

// An upgraded copy is stored, so the list holds a stored object from then
// on; one left out for its tie is the drawing's too and must not be freed.
TEST_F(LegacySimTest, AListLoadedWithUpgradeStoresEveryLegacySimulationAsCurrent)
{
    storeLegacy(L"Kept", kNamesNothing);
    storeLegacy(L"Tied", erasedReference());
    store(L"New", kNamesNothing + 1);
    {
        CPmAcadSimList200 list;
        EXPECT_EQ(list.Load(true, false), 0);
        EXPECT_FALSE(list.Sim(L"Kept")->IsCurVersion());
    }
    EXPECT_TRUE(storedAsLegacy(L"Kept"));
    EXPECT_TRUE(storedAsLegacy(L"Tied"));

    CPmAcadSimList200 list;
    EXPECT_EQ(list.Load(false, true), 0);
    EXPECT_EQ(namesOf(list), (std::vector<CString>{L"Kept", L"New"}));
    EXPECT_TRUE(list.Sim(L"Kept")->IsCurVersion());
    EXPECT_FALSE(storedAsLegacy(L"Kept"));
    EXPECT_FALSE(storedAsLegacy(L"Tied"));
    CPmSim200* stored = CPmAcadSim200::Load(L"Kept");
    EXPECT_EQ(stored, list.Sim(L"Kept"));
    stored->Close();
}

TEST_F(LegacySimTest, CleanSimsRemovesEverySimulationAndItsBlockReferences)
{
    CleanSims();
    EXPECT_FALSE(namedObjectsHold(L"ZN_SIM"));

    const AcDbHandle busyBlock = storeLegacy(L"Busy old", 1, true);
    const AcDbHandle idleBlock = storeLegacy(L"Idle old", 2);
    const AcDbHandle busyNewBlock = storeShown(L"Busy new", 3, true);
    store(L"Idle new", 4);
    ASSERT_EQ(CIvAcadObject::Save(L"ZN_SIM", L"thing", new NamedThing()), 0);

    CleanSims();
    EXPECT_EQ(storedNames(), std::vector<CString>{L"thing"});
    for (const AcDbHandle& block : {busyBlock, idleBlock, busyNewBlock})
        EXPECT_EQ(referenceStatus(block), Acad::eWasErased);
}

TEST_F(LegacySimTest, WithoutTheLegacyModuleItsSimulationsAreLeftAsTheyAre)
{
    const AcDbHandle oldBlock = storeLegacy(L"Old", 7);
    storeLegacy(L"Older", 7);
    store(L"New", 8);
    readBackWithoutTheLegacyModule();
    ASSERT_EQ(db()->numProxies(), 2u);

    EXPECT_EQ(CPmDbxFactory200::LoadSim(L"Old"), nullptr);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"Old"), 0);
    CPmDbxFactory200::UpgradeSim(L"Old");
    CPmAcadSimList200 list;
    EXPECT_EQ(list.Load(true, true), -2);
    EXPECT_EQ(namesOf(list), std::vector<CString>{L"New"});
    store(L"Newer", 7);

    CleanSims();
    EXPECT_EQ(storedNames(), (std::vector<CString>{L"Old", L"Older"}));
    EXPECT_EQ(db()->numProxies(), 2u);
    EXPECT_EQ(referenceStatus(oldBlock), Acad::eOk);
}
} // namespace
