// Simulations of the previous release as this module meets them, reached
// only through the host: read and converted, loaded as copies that cannot be
// saved, upgraded, listed, deleted and cleared away, with and without the
// previous release's module loaded.
#include "geometry/CIvAcadBlock.h"
#include "host/legacy101/CPmAcadSim.h"
#include "storage/CPmAcadSimList200.h"
#include "storage/CPmBlockFactory.h"
#include "storage/CleanSims.h"
#include "storage/LegacyModule.h"
#include "storage/SimDictionary.h"
#include "tests/legacy101/LegacyTest.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
class LegacySimTest : public LegacyTest
{
protected:
    void SetUp() override
    {
        LegacyTest::SetUp();
        ASSERT_TRUE(acrxLoadModule(LegacyModulePath().c_str(), false));
    }

    // Whether the entry name is still the previous release's object.
    static bool storedAsLegacy(const CString& name)
    {
        return storedObject(name).objectClass() == CPmAcadSim::desc();
    }

    // Where part's block is once a segment from (5, 6, 7) carrying it is
    // added to a drawing-bound section; the part goes with the section.
    AcGePoint3d placedAfterASegmentFor(CPmPart* part)
    {
        const AcDbHandle handle = *part->Block()->Handle();
        CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
        segment->AddPart(part);
        segment->AddPath({PmPosition200{{5, 6, 7}, {}, {}}});
        CPmAcadSection200().AddSegment(segment);
        return placed(handle).position;
    }

    TempFolder m_files;
    const std::filesystem::path m_file = m_files / "legacy.drawing";
};

TEST_F(LegacySimTest, AStoredLegacySimulationIsReadBackAndConverted)
{
    const LegacyBlocks blocks = storeLegacySim(L"Old run", 7, true);
    ASSERT_EQ(save(m_file), Acad::eOk);
    ASSERT_EQ(reopen(m_file), Acad::eOk);
    EXPECT_EQ(db()->numProxies(), 0u);
    EXPECT_EQ(CPmAcadSim200::Load(L"Old run"), nullptr) << "not of this release's class";
    EXPECT_EQ(LegacyModule::LoadSim(L"No such run"), nullptr);

    std::unique_ptr<CPmSim> legacy(LegacyModule::LoadSim(L"Old run"));
    ASSERT_NE(legacy, nullptr);
    ASSERT_TRUE(LegacyModule::IsStoredSim(*legacy));
    const CTime before = CTime::GetCurrentTime();
    std::unique_ptr<CPmSim200> sim(new CPmAcadSim200(*legacy));
    legacy.reset();

    EXPECT_TRUE(sim->IsCurVersion());
    EXPECT_EQ(*sim->Name(), CString(L"Old run"));
    EXPECT_EQ(sim->Id(), 7u);
    EXPECT_EQ(sim->Type(), 2);
    EXPECT_EQ(sim->SimInUse(), 1);
    EXPECT_EQ(sim->Length(), 2);
    EXPECT_EQ(sim->DttmCreatedTime().GetTime(), 1000000);
    EXPECT_GE(sim->DttmEditedTime().GetTime(), before.GetTime());
    ASSERT_EQ(sim->Sections()->size(), 1u);
    const CPmSection200* section = sim->Sections()->at(0);
    EXPECT_EQ(section->Speed(), 24.8548477);
    EXPECT_EQ(section->SpeedUnits(), 1);
    ASSERT_EQ(section->Segments()->size(), 1u);

    // The heading becomes a turn about Z, moved to the point in the plane.
    const CPmSegment200* segment = section->Segments()->at(0);
    ASSERT_EQ(segment->Positions()->size(), 2u);
    const PmPosition200& first = segment->Positions()->at(0);
    EXPECT_EQ(first.pt.z, 7.0);
    EXPECT_EQ(first.tpt.x, 1.0);
    const CZnPoint moved = first.transform * CZnPoint(1, 0, 0);
    EXPECT_NEAR(moved.x, 3 + std::cos(kLegacyHeading), 1e-12);
    EXPECT_NEAR(moved.y, 4 + std::sin(kLegacyHeading), 1e-12);
    EXPECT_NEAR(moved.z, 0.0, 1e-12);

    // Legacy blocks become drawing blocks on the same references.
    const CPmPart* part = segment->Part();
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->Offset().x, 0.5);
    ASSERT_NE(dynamic_cast<const CIvAcadBlock*>(part->Block()), nullptr);
    EXPECT_EQ(*part->Block()->Handle(), blocks.part);
    ASSERT_EQ(part->NumSubParts(), 1);
    ASSERT_NE(dynamic_cast<const CIvAcadBlock*>(part->SubPart(0)->Block()), nullptr);
    EXPECT_EQ(*part->SubPart(0)->Block()->Handle(), blocks.subPart);
}

TEST_F(LegacySimTest, LegacyBlocksAreMovedThroughTheirModuleAndCopiedAsDrawingBlocks)
{
    CPmPart* part = CPmDbxFactory::MakePart();
    part->AddBlock(placedLegacyBlock(L"Hull"));
    EXPECT_EQ(placedAfterASegmentFor(part), AcGePoint3d(5, 6, 7));

    // A pending legacy block's copy owns a reference of its own.
    const std::unique_ptr<AcDbBlockReference> source = newSource(L"Crate", {1, 2, 3});
    std::unique_ptr<CZnBlock> pending(CPmDbxFactory::CreateBlock(source.get()));
    std::unique_ptr<CZnBlock> copy(CPmBlockFactory::CopyBlock(*pending));
    ASSERT_NE(dynamic_cast<CIvAcadBlock*>(copy.get()), nullptr);
    ASSERT_NE(copy->BlockRef(), nullptr);
    EXPECT_NE(copy->BlockRef(), pending->BlockRef());
    EXPECT_EQ(copy->BlockRef()->position(), AcGePoint3d(1, 2, 3));
}

TEST_F(LegacySimTest, ALegacySimulationIsSavedAgainOnlyThroughTheUpgrade)
{
    storeLegacySim(L"Old", 7, true);
    store(L"New", 8);
    const AcDbObjectId current = storedObject(L"New");
    CPmSim200* copy = CPmDbxFactory200::LoadSim(L"Old");
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->IsCurVersion());
    EXPECT_EQ(*copy->Name(), CString(L"Old"));
    EXPECT_EQ(copy->SimInUse(), 1);
    EXPECT_EQ(copy->Length(), 2);
    EXPECT_EQ(copy->Save(), -1);
    EXPECT_EQ(copy->Update(), -1);
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
    storeLegacySim(L"Kept", kNamesNothing, false);
    storeLegacySim(L"Tied", erasedReference(), false);
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
    EXPECT_FALSE(namedObjectsHold(kSimDictionary));

    const LegacyBlocks busy = storeLegacySim(L"Busy old", 1, true);
    const LegacyBlocks idle = storeLegacySim(L"Idle old", 2, false);
    const AcDbHandle busyNew = storeShown(L"Busy new", 3, true);
    store(L"Idle new", 4);
    ASSERT_EQ(CIvAcadObject::Save(kSimDictionary, L"thing", new NamedThing()), 0);

    CleanSims();
    EXPECT_EQ(storedNames(), std::vector<CString>{L"thing"});
    for (const AcDbHandle& block : {busy.part, busy.subPart, idle.part, busyNew})
        EXPECT_EQ(openStatus(idOf(block)), Acad::eWasErased);
}

// Written while the previous release's module is loaded, then read after it
// has gone, by a module whose start-up did not find it: its simulations are
// kept as they were written, and its blocks are taken for no drawing blocks.
TEST_F(LegacySimTest, WithoutTheLegacyModuleItsSimulationsAndBlocksAreLeftAsTheyAre)
{
    const LegacyBlocks old = storeLegacySim(L"Old", 7, false);
    storeLegacySim(L"Older", 7, false);
    store(L"New", 8);
    ASSERT_EQ(save(m_file), Acad::eOk);
    freshEmptyDatabase();
    ASSERT_TRUE(acrxUnloadModule(LegacyModulePath().c_str()));
    {
        const ScopedEnvironment elsewhere("CommonProgramFiles", m_files.path().c_str());
        ASSERT_TRUE(acrxLoadModule(ModulePath().c_str(), false));
    }
    ASSERT_EQ(reopen(m_file), Acad::eOk);
    ASSERT_EQ(db()->numProxies(), 2u);

    EXPECT_EQ(LegacyModule::LoadSim(L"Old"), nullptr);
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
    EXPECT_EQ(openStatus(idOf(old.part)), Acad::eOk);

    CPmPart* part = CPmDbxFactory::MakePart();
    part->AddBlock(placedLegacyBlock(L"Keel"));
    EXPECT_FALSE(LegacyModule::IsBlock(*part->Block()));
    std::unique_ptr<CPmPart> copy(CPmDbxFactory200::CopyPart(*part));
    EXPECT_EQ(copy->Block(), nullptr);
    EXPECT_EQ(placedAfterASegmentFor(part), AcGePoint3d(0, 0, 0));
}

TEST_F(LegacySimTest, ADamagedLegacyRecordGivesAStatus)
{
    std::unique_ptr<CPmSim> written(CPmDbxFactory::MakeSim(7, 2));
    written->AddSection(CPmDbxFactory::MakeSection(10.0, 0));
    DwgMemoryFiler filer(db());
    ASSERT_EQ(static_cast<CPmAcadSim&>(*written).dwgOutFields(&filer), Acad::eOk);
    std::vector<std::uint8_t> bytes = filer.takeBuffer();

    bytes.resize(bytes.size() - 4);
    filer.setBuffer(bytes);
    std::unique_ptr<CPmSim> read(CPmDbxFactory::MakeSim(0, 0));
    EXPECT_NE(static_cast<CPmAcadSim&>(*read).dwgInFields(&filer), Acad::eOk);

    DwgMemoryFiler otherVersion(db());
    otherVersion.writeHardPointerId(AcDbObjectId());
    otherVersion.writeInt32(200);
    otherVersion.rewind();
    EXPECT_EQ(static_cast<CPmAcadSim&>(*read).dwgInFields(&otherVersion), Acad::eMakeMeProxy);
}
} // namespace
