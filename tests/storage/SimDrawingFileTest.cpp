// The whole road: a simulation built on a real block reference, stored by
// name, written to a drawing file, and read back by a host that loaded the
// module by path, or by one without it that must keep the simulation intact.
#include "geometry/CIvAcadBlock.h"
#include "host/AcDbCurves.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcRxDynamicLinker.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmAcadSim200.h"
#include "tests/storage/StorageTest.h"
#include "tests/support/BlockDrawingTest.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

const CString kName(L"Harbour run");
constexpr unsigned __int64 kId = (1ull << 32) + 42;
// 2021-07-04 12:34:56 and 2022-01-02 03:04:05 UTC.
constexpr __time64_t kCreated = 1625402096;
constexpr __time64_t kEdited = 1641092645;

// What a simulation holds, taken apart into plain values so that it can be
// compared after the object itself has gone with its drawing.
struct PartView
{
    dpoint3d offset;
    Adesk::UInt64 handle = 0;
    std::vector<PartView> subParts;
};

struct SegmentView
{
    PartView part;
    std::vector<PmPosition200> positions;
};

struct SectionView
{
    double speed = 0.0;
    int units = 0;
    int length = 0;
    std::vector<SegmentView> segments;
};

struct SimView
{
    CString name;
    int type = 0;
    unsigned __int64 id = 0;
    int inUse = 0;
    // As local date and clock text, so that zones can be compared.
    CString created;
    CString edited;
    int length = 0;
    std::vector<SectionView> sections;
};

PartView viewOf(const CPmPart& part)
{
    PartView view{part.Offset(), 0, {}};
    if (const auto* block = dynamic_cast<const CIvAcadBlock*>(part.Block()))
        view.handle = *block->Handle();
    for (int i = 0; i < part.NumSubParts(); ++i)
        view.subParts.push_back(viewOf(*part.SubPart(i)));
    return view;
}

SimView viewOf(CPmSim200& sim)
{
    SimView view{*sim.Name(),         sim.Type(),        sim.Id(),     sim.SimInUse(),
                 sim.DttmCreated(),   sim.DttmEdited(),  sim.Length(), {}};
    for (CPmSection200* section : *sim.Sections())
    {
        SectionView sectionView{section->Speed(), section->SpeedUnits(), section->Length(), {}};
        for (CPmSegment200* segment : *section->Segments())
            sectionView.segments.push_back({viewOf(*segment->Part()), *segment->Positions()});
        view.sections.push_back(sectionView);
    }
    return view;
}

void expectSamePoint(const dpoint3d& a, const dpoint3d& b)
{
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

void expectSamePart(const PartView& a, const PartView& b)
{
    expectSamePoint(a.offset, b.offset);
    EXPECT_EQ(a.handle, b.handle);
    ASSERT_EQ(a.subParts.size(), b.subParts.size());
    for (std::size_t i = 0; i < a.subParts.size(); ++i)
        expectSamePart(a.subParts[i], b.subParts[i]);
}

// The placement comes back as its rotation, within rounding of the angles,
// with the point as translation.
void expectSamePosition(const PmPosition200& a, const PmPosition200& b)
{
    expectSamePoint(a.pt, b.pt);
    expectSamePoint(a.tpt, b.tpt);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_NEAR(a.transform(row, column), b.transform(row, column), 1e-12)
                << row << ", " << column;
}

void expectSameSim(const SimView& a, const SimView& b)
{
    EXPECT_EQ(a.name.str(), b.name.str());
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.inUse, b.inUse);
    EXPECT_EQ(a.created.str(), b.created.str());
    EXPECT_EQ(a.edited.str(), b.edited.str());
    EXPECT_EQ(a.length, b.length);
    ASSERT_EQ(a.sections.size(), b.sections.size());
    for (std::size_t s = 0; s < a.sections.size(); ++s)
    {
        const SectionView& x = a.sections[s];
        const SectionView& y = b.sections[s];
        EXPECT_EQ(x.speed, y.speed);
        EXPECT_EQ(x.units, y.units);
        EXPECT_EQ(x.length, y.length);
        ASSERT_EQ(x.segments.size(), y.segments.size());
        for (std::size_t g = 0; g < x.segments.size(); ++g)
        {
            expectSamePart(x.segments[g].part, y.segments[g].part);
            ASSERT_EQ(x.segments[g].positions.size(), y.segments[g].positions.size());
            for (std::size_t p = 0; p < x.segments[g].positions.size(); ++p)
                expectSamePosition(x.segments[g].positions[p], y.segments[g].positions[p]);
        }
    }
}

PmPosition200 position(dpoint3d pt, double angle)
{
    PmPosition200 result;
    result.pt = pt;
    result.tpt = dpoint3d{pt.x + 0.25, pt.y - 0.5, pt.z + 1.0 / 3.0};
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
        const std::string stem = "znsim-e2e-" + std::to_string(::getpid()) + "-";
        m_first = fs::temp_directory_path() / (stem + "first.zdrw");
        m_second = fs::temp_directory_path() / (stem + "second.zdrw");
        ASSERT_TRUE(loadModule());
    }

    void TearDown() override
    {
        // The module goes only after the drawings holding its objects.
        BlockDrawingTest::TearDown();
        acrxUnloadModule(ModulePath().c_str());
        fs::remove(m_first);
        fs::remove(m_second);
    }

    static bool loadModule() { return acrxLoadModule(ModulePath().c_str(), false); }

    // A block reference in model space to a definition drawn with a line and
    // a circle, scaled.
    AcDbObjectId crateReference()
    {
        const AcDbObjectId definitionId = addDefinition(L"Crate");
        AcDbBlockTableRecord* definition = nullptr;
        EXPECT_EQ(acdbOpenObject(definition, definitionId, AcDb::kForWrite), Acad::eOk);
        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
        auto* circle = new AcDbCircle(AcGePoint3d(0.5, 0.5, 0), AcGeVector3d(0, 0, 1), 0.5);
        definition->appendAcDbEntity(line);
        definition->appendAcDbEntity(circle);
        line->close();
        circle->close();
        definition->close();
        auto* reference = new AcDbBlockReference(AcGePoint3d(1, 2, 3), definitionId);
        reference->setScaleFactors(AcGeScale3d(2.0));
        return appendToModelSpace(reference);
    }

    static CIvAcadBlock* blockFrom(AcDbObjectId referenceId)
    {
        AcDbBlockReference* reference = nullptr;
        EXPECT_EQ(acdbOpenObject(reference, referenceId, AcDb::kForRead), Acad::eOk);
        auto* block = new CIvAcadBlock(reference);
        reference->close();
        return block;
    }

    // A segment whose part carries a sub-part, each with its own block, along
    // count positions starting at start.
    static CPmAcadSegment200* segment(AcDbObjectId referenceId, dpoint3d start, int count)
    {
        auto* subPart = new CPmAcadPart();
        subPart->SetOffset(dpoint3d{0.0, 0.0, 1.5});
        subPart->AddBlock(blockFrom(referenceId));
        auto* part = new CPmAcadPart();
        part->SetOffset(dpoint3d{0.5, -0.5, 0.0});
        part->AddBlock(blockFrom(referenceId));
        part->AddPart(subPart);
        std::vector<PmPosition200> path;
        for (int i = 0; i < count; ++i)
            path.push_back(position(dpoint3d{start.x + i, start.y + 0.1 * i, start.z}, 0.3 * i));
        auto* result = new CPmAcadSegment200();
        result->AddPart(part);
        result->AddPath(path);
        return result;
    }

    // Stores a simulation of two sections and answers what it holds.
    SimView storeSimulation()
    {
        const AcDbObjectId referenceId = crateReference();
        auto* sim = new CPmAcadSim200();
        sim->SetName(kName);
        sim->SetType(3);
        sim->SetId(kId);
        sim->SetSimInUse(true);
        sim->SetDttmCreated(CTime(kCreated));
        sim->SetDttmEdited(CTime(kEdited));
        auto* first = new CPmAcadSection200();
        first->SetSpeed(30.0, 1);
        first->AddSegment(segment(referenceId, dpoint3d{10, 20, 0}, 3));
        auto* second = new CPmAcadSection200();
        second->SetSpeed(12.0, 2);
        second->AddSegment(segment(referenceId, dpoint3d{-4, 8, 2}, 2));
        sim->AddSection(first);
        sim->AddSection(second);
        const SimView stored = viewOf(*sim);
        EXPECT_EQ(sim->Save(), 0);
        return stored;
    }

    // Reads file into a fresh working drawing.
    void readInto(const fs::path& file)
    {
        ASSERT_EQ(freshEmptyDatabase()->readDwgFile(file.wstring().c_str()), Acad::eOk);
    }

    void expectStoredAs(const SimView& expected)
    {
        CPmSim200* loaded = CPmAcadSim200::Load(kName);
        ASSERT_NE(loaded, nullptr);
        expectSameSim(viewOf(*loaded), expected);
        EXPECT_EQ(loaded->Close(), 0);
    }

    fs::path m_first;
    fs::path m_second;
};

TEST_F(SimDrawingFileTest, ReadBackWholeWithItsBlocksAndItsWallClock)
{
    SimView stored;
    {
        const ScopedEnvironment zone("TZ", "EST5EDT,M3.2.0,M11.1.0");
        stored = storeSimulation();
        ASSERT_EQ(db()->saveAs(m_first.wstring().c_str()), Acad::eOk);
    }
    const ScopedEnvironment zone("TZ", "JST-9");
    readInto(m_first);
    EXPECT_EQ(db()->numProxies(), 0u);
    expectStoredAs(stored);

    // Every block still shows its part: the crate, hidden, at the first
    // point of its segment.
    const SectionView& first = stored.sections[0];
    const Placed placedBlock = placed(AcDbHandle(first.segments[0].part.handle));
    AcDbBlockTableRecord* definition = nullptr;
    ASSERT_EQ(acdbOpenObject(definition, placedBlock.definition, AcDb::kForRead), Acad::eOk);
    const ACHAR* definitionName = nullptr;
    definition->getName(definitionName);
    EXPECT_STREQ(definitionName, L"Crate");
    definition->close();
    EXPECT_EQ(placedBlock.visibility, AcDb::kInvisible);
    EXPECT_EQ(placedBlock.position, AcGePoint3d(10, 20, 0));
    EXPECT_EQ(placed(AcDbHandle(first.segments[0].part.subParts[0].handle)).position,
              AcGePoint3d(10, 20, 0));
}

TEST_F(SimDrawingFileTest, WithoutTheModuleTheSimulationIsKeptAsAProxyAndStaysWhole)
{
    const SimView stored = storeSimulation();
    ASSERT_EQ(db()->saveAs(m_first.wstring().c_str()), Acad::eOk);
    freshEmptyDatabase();
    ASSERT_TRUE(acrxUnloadModule(ModulePath().c_str()));

    readInto(m_first);
    EXPECT_EQ(db()->numProxies(), 1u);
    EXPECT_EQ(CPmAcadSim200::Load(kName), nullptr);
    ASSERT_EQ(db()->saveAs(m_second.wstring().c_str()), Acad::eOk);

    freshEmptyDatabase();
    ASSERT_TRUE(loadModule());
    readInto(m_second);
    EXPECT_EQ(db()->numProxies(), 0u);
    expectStoredAs(stored);
}
} // namespace
