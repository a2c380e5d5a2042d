// The whole road: a simulation built on a real block reference, stored by
// name, written to a drawing file, and read back by a host that loaded the
// module by path, or by one without it that must keep the simulation intact.
#include "geometry/CIvAcadBlock.h"
#include "host/AcRxDynamicLinker.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "tests/storage/StorageTest.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

const CString kName(L"Harbour run");
constexpr unsigned __int64 kId = (1ull << 32) + 42;

// A stored simulation as plain values, comparable once its drawing has gone.
// Placements are compared as numbers, since they come back through angles.
struct Snapshot
{
    std::wstring dump;
    std::wstring created;
    std::wstring edited;
    std::vector<CZnTransform> placements;
};

Snapshot snapshotOf(CPmSim200& sim)
{
    std::wstringstream dump;
    dump.precision(17);
    dump << sim;
    Snapshot result{dump.str(), sim.DttmCreated().str(), sim.DttmEdited().str(), {}};
    for (CPmSection200* section : *sim.Sections())
        for (CPmSegment200* segment : *section->Segments())
            for (const PmPosition200& position : *segment->Positions())
                result.placements.push_back(position.transform);
    return result;
}

void expectSame(const Snapshot& read, const Snapshot& stored)
{
    EXPECT_EQ(read.dump, stored.dump);
    EXPECT_EQ(read.created, stored.created);
    EXPECT_EQ(read.edited, stored.edited);
    ASSERT_EQ(read.placements.size(), stored.placements.size());
    for (std::size_t i = 0; i < read.placements.size(); ++i)
        for (int element = 0; element < 16; ++element)
            EXPECT_NEAR(read.placements[i](element / 4, element % 4),
                        stored.placements[i](element / 4, element % 4), 1e-12);
}

// A placement turned about a slanted axis and moved to its point.
PmPosition200 position(dpoint3d pt, double angle)
{
    PmPosition200 result{pt, dpoint3d{pt.x + 0.25, pt.y - 0.5, pt.z + 1.0 / 3.0}, {}};
    result.transform.SetRotation(CZnVector(1.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0), angle);
    result.transform.SetTranslation(CZnVector(pt.x, pt.y, pt.z));
    return result;
}

class SimDrawingFileTest : public BlockDrawingTest
{
protected:
    void SetUp() override
    {
        BlockDrawingTest::SetUp();
        ASSERT_TRUE(acrxLoadModule(ModulePath().c_str(), false));
    }

    // The module goes only after the drawings holding its objects.
    void TearDown() override
    {
        BlockDrawingTest::TearDown();
        acrxUnloadModule(ModulePath().c_str());
    }

    // A block from a scaled reference in model space.
    CIvAcadBlock* crateBlock()
    {
        if (m_crate.isNull())
        {
            auto* reference = new AcDbBlockReference(AcGePoint3d(1, 2, 3), addDefinition(L"Crate"));
            reference->setScaleFactors(AcGeScale3d(2.0));
            m_crate = appendToModelSpace(reference);
        }
        AcDbBlockReference* reference = nullptr;
        EXPECT_EQ(acdbOpenObject(reference, m_crate, AcDb::kForRead), Acad::eOk);
        auto* block = new CIvAcadBlock(reference);
        reference->close();
        return block;
    }

    // A section at speed in units, with one segment along count positions
    // from start, whose part carries a sub-part.
    CPmAcadSection200* section(double speed, int units, dpoint3d start, int count)
    {
        auto* subPart = new CPmAcadPart();
        subPart->SetOffset(dpoint3d{0.0, 0.0, 1.5});
        subPart->AddBlock(crateBlock());
        auto* part = new CPmAcadPart();
        part->SetOffset(dpoint3d{0.5, -0.5, 0.0});
        part->AddBlock(crateBlock());
        part->AddPart(subPart);
        std::vector<PmPosition200> path;
        for (int i = 0; i < count; ++i)
            path.push_back(position(dpoint3d{start.x + i, start.y + 0.1 * i, start.z}, 0.3 * i));
        CPmAcadSection200* result = sectionOf(segmentOf(part, path));
        result->SetSpeed(speed, units);
        return result;
    }

    Snapshot storeSimulation()
    {
        auto* sim = new CPmAcadSim200();
        sim->SetName(kName);
        sim->SetType(3);
        sim->SetId(kId);
        sim->SetSimInUse(true);
        sim->SetDttmCreated(CTime(1625402096));
        sim->AddSection(section(30.0, 1, dpoint3d{10, 20, 0}, 3));
        sim->AddSection(section(12.0, 2, dpoint3d{-4, 8, 2}, 2));
        const Snapshot stored = snapshotOf(*sim);
        EXPECT_EQ(sim->Save(), 0);
        return stored;
    }

    void expectStoredAs(const Snapshot& stored)
    {
        CPmSim200* loaded = CPmAcadSim200::Load(kName);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->Type(), 3);
        EXPECT_EQ(loaded->Id(), kId);
        EXPECT_EQ(loaded->SimInUse(), 1);
        expectSame(snapshotOf(*loaded), stored);
        // The blocks still show the parts, hidden, at their segment's first
        // point.
        const CPmPart* part = loaded->Sections()->at(0)->Segments()->at(0)->Part();
        const Placed shown = placed(*part->Block()->Handle());
        EXPECT_EQ(shown.visibility, AcDb::kInvisible);
        EXPECT_EQ(shown.position, AcGePoint3d(10, 20, 0));
        EXPECT_EQ(placed(*part->SubPart(0)->Block()->Handle()).position, AcGePoint3d(10, 20, 0));
        EXPECT_EQ(loaded->Close(), 0);
    }

    AcDbObjectId m_crate;
    TempFolder m_files;
    const fs::path m_first = m_files / "first.drawing";
    const fs::path m_second = m_files / "second.drawing";
};

// Read back whole in another zone, then by a host without the module, which
// keeps the simulation as a proxy that saves it unchanged.
TEST_F(SimDrawingFileTest, ReadBackWholeInAnotherZoneAndKeptWholeAsAProxyWithoutTheModule)
{
    Snapshot stored;
    {
        const ScopedEnvironment zone("TZ", "EST5EDT,M3.2.0,M11.1.0");
        stored = storeSimulation();
        ASSERT_EQ(save(m_first), Acad::eOk);
    }
    const ScopedEnvironment zone("TZ", "JST-9");
    ASSERT_EQ(reopen(m_first), Acad::eOk);
    EXPECT_EQ(db()->numProxies(), 0u);
    expectStoredAs(stored);

    freshEmptyDatabase();
    ASSERT_TRUE(acrxUnloadModule(ModulePath().c_str()));
    ASSERT_EQ(reopen(m_first), Acad::eOk);
    EXPECT_EQ(db()->numProxies(), 1u);
    EXPECT_EQ(CPmAcadSim200::Load(kName), nullptr);
    ASSERT_EQ(save(m_second), Acad::eOk);

    freshEmptyDatabase();
    ASSERT_TRUE(acrxLoadModule(ModulePath().c_str(), false));
    ASSERT_EQ(reopen(m_second), Acad::eOk);
    EXPECT_EQ(db()->numProxies(), 0u);
    expectStoredAs(stored);
}
} // namespace
