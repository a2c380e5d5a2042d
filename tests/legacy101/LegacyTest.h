// What the legacy suites share with the end-to-end ones: where the previous
// release's module lies, a version-101 simulation stored by that module
// itself, and a drawing test after which both modules go.
#pragma once

#include "host/AcRxDynamicLinker.h"
#include "host/legacy101/CPmDbxFactory.h"
#include "host/legacy101/CPmSection.h"
#include "host/legacy101/CPmSegment.h"
#include "host/legacy101/CPmSim.h"
#include "tests/storage/SimDrawingTest.h"

#include <filesystem>
#include <string>

// The build lays out a CommonProgramFiles tree beside the modules.
inline std::filesystem::path CommonFilesDir()
{
    return BinDir() / ".." / "CommonProgramFiles";
}

inline std::wstring LegacyModulePath()
{
    return (CommonFilesDir() / "Orvane" / "ZnSim101_2007x64.dbx").wstring();
}

constexpr double kLegacyHeading = 0.5;

// A legacy block placed, hidden, at the origin of a new definition.
inline CZnBlock* placedLegacyBlock(const std::wstring& name)
{
    CZnBlock* block = CPmDbxFactory::CreateBlock(newSource(name.c_str(), {0, 0, 0}).get());
    EXPECT_EQ(block->AddToDrawing(false), Acad::eOk);
    return block;
}

// The handles of the placed blocks that a stored legacy simulation's part and
// its sub-part show.
struct LegacyBlocks
{
    AcDbHandle part;
    AcDbHandle subPart;
};

// Stores, through the previous release's own Save, a version-101 simulation
// of type 2 created at time 1000000: one section at 24.8548477 miles per hour
// given in unit 1, of one segment along (3, 4, 7) heading kLegacyHeading and
// (5, 4, 7), whose part (offset 0.5 in x) and its one sub-part show placed
// legacy blocks of new definitions named after the simulation.
inline LegacyBlocks storeLegacySim(const CString& name, unsigned __int64 id, bool inUse)
{
    CPmPart* subPart = CPmDbxFactory::MakePart();
    subPart->AddBlock(placedLegacyBlock(name.str() + L" mast"));
    CPmPart* part = CPmDbxFactory::MakePart();
    part->SetOffset({0.5, 0, 0});
    part->AddBlock(placedLegacyBlock(name.str() + L" hull"));
    part->AddPart(subPart);
    const LegacyBlocks blocks{*part->Block()->Handle(), *subPart->Block()->Handle()};

    CPmSegment* segment = CPmDbxFactory::MakeSegment();
    segment->AddPart(part);
    segment->AddPath({{{3, 4, 7}, kLegacyHeading, {1, 1, 1}}, {{5, 4, 7}, 0.0, {2, 2, 2}}});
    CPmSection* section = CPmDbxFactory::MakeSection(24.8548477, 1);
    section->AddSegment(segment);
    CPmSim* sim = CPmDbxFactory::MakeSim(id, 2);
    sim->SetName(name);
    sim->SetDttmCreated(CTime(1000000));
    sim->SetSimInUse(inUse);
    sim->AddSection(section);
    EXPECT_EQ(sim->Save(), 0);
    return blocks;
}

class LegacyTest : public SimDrawingTest
{
protected:
    // The modules go only after the drawing holding their objects.
    void TearDown() override
    {
        SimDrawingTest::TearDown();
        acrxUnloadModule(ModulePath().c_str());
        acrxUnloadModule(LegacyModulePath().c_str());
    }
};
