// The previous release's module as the module meets it: loaded at start-up
// from the common program files, reached only through the host, and its
// simulations read from a drawing file and converted. The suite links that
// module to build simulations with it; the host still serves it as a module
// only while it is loaded as one.
#include "geometry/CIvAcadBlock.h"
#include "host/AcDbBlockReference.h"
#include "host/AcRxDynamicLinker.h"
#include "host/legacy101/CPmAcadSim.h"
#include "host/legacy101/CPmDbxFactory.h"
#include "host/legacy101/CZnAcadBlock.h"
#include "model/CPmSegment200.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmBlockFactory.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/LegacyModule.h"
#include "tests/legacy/LegacyTest.h"
#include "tests/storage/StorageTest.h"
#include "tests/support/BlockDrawingTest.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

const CString kName(L"Old harbour run");
constexpr double kHeading = 0.5;

class LegacyModuleTest : public BlockDrawingTest
{
protected:
    void SetUp() override
    {
        BlockDrawingTest::SetUp();
        m_file = fs::temp_directory_path() / ("znsim-" + std::to_string(::getpid()) + ".drawing");
    }

    // The modules go only after the drawing holding their objects.
    void TearDown() override
    {
        BlockDrawingTest::TearDown();
        acrxUnloadModule(ModulePath().c_str());
        acrxUnloadModule(LegacyModulePath().c_str());
        fs::remove(m_file);
    }

    // Loads the module as the host does; its start-up finds the previous
    // release's module only when CommonProgramFiles names its tree.
    static void startModule(bool legacyThere)
    {
        const std::string commonFiles =
            legacyThere ? CommonFilesDir().string() : fs::temp_directory_path().string();
        const ScopedEnvironment environment("CommonProgramFiles", commonFiles.c_str());
        ASSERT_TRUE(acrxLoadModule(ModulePath().c_str(), false));
    }

    // A legacy block placed, hidden, at the origin of a new definition.
    CZnBlock* placedLegacyBlock(const ACHAR* name)
    {
        CZnBlock* block = CPmDbxFactory::CreateBlock(newSource(name, {0, 0, 0}).get());
        EXPECT_EQ(block->AddToDrawing(false), Acad::eOk);
        return block;
    }

    // A version-101 simulation with one segment whose part, and its
    // sub-part, hold placed legacy blocks, stored in the working drawing
    // through the previous release's own Save.
    void storeLegacySimulation()
    {
        CPmPart* subPart = CPmDbxFactory::MakePart();
        subPart->AddBlock(placedLegacyBlock(L"Mast"));
        CPmPart* part = CPmDbxFactory::MakePart();
        part->SetOffset({0.5, 0, 0});
        part->AddBlock(placedLegacyBlock(L"Hull"));
        part->AddPart(subPart);
        m_hull = *part->Block()->Handle();
        m_mast = *subPart->Block()->Handle();

        CPmSegment* segment = CPmDbxFactory::MakeSegment();
        segment->AddPart(part);
        segment->AddPath({{{3, 4, 7}, kHeading, {1, 1, 1}}, {{5, 4, 7}, 0.0, {2, 2, 2}}});
        CPmSection* section = CPmDbxFactory::MakeSection(24.8548477, 1);
        section->AddSegment(segment);
        CPmSim* sim = CPmDbxFactory::MakeSim(7, 2);
        sim->SetName(kName);
        sim->SetDttmCreated(CTime(1000000));
        sim->SetSimInUse(true);
        sim->AddSection(section);
        ASSERT_EQ(sim->Save(), 0);
    }

    // Adds a segment carrying part from start to a drawing-bound section,
    // which moves the part's block there; the section, and the part with it,
    // are gone afterwards.
    static void addSegmentFrom(CPmPart* part, dpoint3d start)
    {
        CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
        segment->AddPart(part);
        segment->AddPath({PmPosition200{start, {}, {}}});
        CPmAcadSection200().AddSegment(segment);
    }

    void saveAndReadBack()
    {
        ASSERT_EQ(db()->saveAs(m_file.wstring().c_str()), Acad::eOk);
        ASSERT_EQ(freshEmptyDatabase()->readDwgFile(m_file.wstring().c_str()), Acad::eOk);
    }

    fs::path m_file;
    AcDbHandle m_hull;
    AcDbHandle m_mast;
};

TEST_F(LegacyModuleTest, TheBoundNamesAreTheExportsOwn)
{
    startModule(true);
    EXPECT_EQ(acrxGetSymbolAddress(kLegacyServiceName, L"_ZN13CPmDbxFactory7LoadSimERK7CString"),
              reinterpret_cast<void*>(&CPmDbxFactory::LoadSim));
    const auto typeNamed = [](const ACHAR* symbol) {
        return static_cast<const std::type_info*>(acrxGetSymbolAddress(kLegacyServiceName, symbol));
    };
    ASSERT_NE(typeNamed(L"_ZTI10CPmAcadSim"), nullptr);
    EXPECT_EQ(*typeNamed(L"_ZTI10CPmAcadSim"), typeid(CPmAcadSim));
    ASSERT_NE(typeNamed(L"_ZTI12CZnAcadBlock"), nullptr);
    EXPECT_EQ(*typeNamed(L"_ZTI12CZnAcadBlock"), typeid(CZnAcadBlock));
}

TEST_F(LegacyModuleTest, AStoredLegacySimulationIsReadBackAndConverted)
{
    startModule(true);
    storeLegacySimulation();
    saveAndReadBack();
    EXPECT_EQ(db()->numProxies(), 0u);
    EXPECT_EQ(CPmAcadSim200::Load(kName), nullptr) << "not of this release's class";
    EXPECT_EQ(LegacyModule::LoadSim(L"No such run"), nullptr);

    std::unique_ptr<CPmSim> legacy(LegacyModule::LoadSim(kName));
    ASSERT_NE(legacy, nullptr);
    ASSERT_TRUE(LegacyModule::IsStoredSim(*legacy));
    const CTime before = CTime::GetCurrentTime();
    std::unique_ptr<CPmSim200> sim(new CPmAcadSim200(*legacy));
    legacy.reset();

    EXPECT_TRUE(sim->IsCurVersion());
    EXPECT_EQ(*sim->Name(), kName);
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
    EXPECT_NEAR(moved.x, 3 + std::cos(kHeading), 1e-12);
    EXPECT_NEAR(moved.y, 4 + std::sin(kHeading), 1e-12);
    EXPECT_NEAR(moved.z, 0.0, 1e-12);

    // Legacy blocks become drawing blocks on the same references.
    const CPmPart* part = segment->Part();
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->Offset().x, 0.5);
    ASSERT_NE(dynamic_cast<const CIvAcadBlock*>(part->Block()), nullptr);
    EXPECT_EQ(*part->Block()->Handle(), m_hull);
    ASSERT_EQ(part->NumSubParts(), 1);
    ASSERT_NE(dynamic_cast<const CIvAcadBlock*>(part->SubPart(0)->Block()), nullptr);
    EXPECT_EQ(*part->SubPart(0)->Block()->Handle(), m_mast);
}

TEST_F(LegacyModuleTest, LegacyBlocksAreMovedThroughTheirModuleAndCopiedAsDrawingBlocks)
{
    startModule(true);
    CPmPart* part = CPmDbxFactory::MakePart();
    part->AddBlock(placedLegacyBlock(L"Hull"));
    const AcDbHandle hull = *part->Block()->Handle();
    addSegmentFrom(part, {5, 6, 7});
    EXPECT_EQ(placed(hull).position, AcGePoint3d(5, 6, 7));

    // A pending legacy block's copy owns a reference of its own.
    const std::unique_ptr<AcDbBlockReference> source = newSource(L"Crate", {1, 2, 3});
    std::unique_ptr<CZnBlock> pending(CPmDbxFactory::CreateBlock(source.get()));
    std::unique_ptr<CZnBlock> copy(CPmBlockFactory::CopyBlock(*pending));
    ASSERT_NE(dynamic_cast<CIvAcadBlock*>(copy.get()), nullptr);
    ASSERT_NE(copy->BlockRef(), nullptr);
    EXPECT_NE(copy->BlockRef(), pending->BlockRef());
    EXPECT_EQ(copy->BlockRef()->position(), AcGePoint3d(1, 2, 3));
}

TEST_F(LegacyModuleTest, WithoutTheLegacyModuleNoLegacySimulationOrBlockIsRecognised)
{
    // Written while the previous release's module is loaded by itself, then
    // read after it has gone, by a module whose start-up did not find it.
    ASSERT_TRUE(acrxLoadModule(LegacyModulePath().c_str(), false));
    storeLegacySimulation();
    ASSERT_EQ(db()->saveAs(m_file.wstring().c_str()), Acad::eOk);
    freshEmptyDatabase();
    ASSERT_TRUE(acrxUnloadModule(LegacyModulePath().c_str()));
    startModule(false);
    ASSERT_EQ(freshEmptyDatabase()->readDwgFile(m_file.wstring().c_str()), Acad::eOk);

    EXPECT_EQ(db()->numProxies(), 1u) << "kept as it was written";
    EXPECT_EQ(CPmAcadSim200::Load(kName), nullptr);
    EXPECT_EQ(LegacyModule::LoadSim(kName), nullptr);

    CPmPart* part = CPmDbxFactory::MakePart();
    part->AddBlock(placedLegacyBlock(L"Keel"));
    EXPECT_FALSE(LegacyModule::IsBlock(*part->Block()));
    std::unique_ptr<CPmPart> copy(CPmDbxFactory200::CopyPart(*part));
    EXPECT_EQ(copy->Block(), nullptr);
    const AcDbHandle keel = *part->Block()->Handle();
    addSegmentFrom(part, {5, 6, 7});
    EXPECT_EQ(placed(keel).position, AcGePoint3d(0, 0, 0));
}

TEST_F(LegacyModuleTest, ADamagedLegacyRecordGivesAStatus)
{
    std::unique_ptr<CPmSim> written(CPmDbxFactory::MakeSim(7, 2));
    written->AddSection(CPmDbxFactory::MakeSection(10.0, 0));
    DwgMemoryFiler filer(db());
    ASSERT_EQ(static_cast<CPmAcadSim&>(*written).dwgOutFields(&filer), Acad::eOk);
    std::vector<std::uint8_t> bytes = filer.takeBuffer();

    std::vector<std::uint8_t> truncated(bytes.begin(), bytes.end() - 4);
    filer.setBuffer(truncated);
    std::unique_ptr<CPmSim> read(CPmDbxFactory::MakeSim(0, 0));
    EXPECT_NE(static_cast<CPmAcadSim&>(*read).dwgInFields(&filer), Acad::eOk);

    DwgMemoryFiler otherVersion(db());
    otherVersion.writeHardPointerId(AcDbObjectId());
    otherVersion.writeInt32(200);
    otherVersion.rewind();
    EXPECT_EQ(static_cast<CPmAcadSim&>(*read).dwgInFields(&otherVersion), Acad::eMakeMeProxy);
}
} // namespace
