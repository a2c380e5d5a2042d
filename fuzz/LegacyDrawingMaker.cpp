// Writes a small drawing holding one version-101 simulation, stored by the
// previous release's module itself, for the fuzz programs' seeds:
//   fuzz/run build/fuzz/bin/fuzz_make_legacy_drawing legacy.zdw
// Its part and sub-part show blocks placed in model space, as the previous
// release placed them.
#include "fuzz/FuzzHost.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"
#include "host/legacy101/CPmDbxFactory.h"
#include "host/legacy101/CPmSection.h"
#include "host/legacy101/CPmSegment.h"
#include "host/legacy101/CPmSim.h"
#include "model/CZnBlock.h"

#include <cstdio>
#include <memory>
#include <string>

namespace
{
// A new block definition of that name, and a reference to it to copy from.
std::unique_ptr<AcDbBlockReference> sourceOf(AcDbDatabase& drawing, const ACHAR* name)
{
    AcDbBlockTable* table = nullptr;
    drawing.getBlockTable(table, AcDb::kForWrite);
    auto* record = new AcDbBlockTableRecord;
    record->setName(name);
    AcDbObjectId id;
    table->add(id, record);
    record->close();
    table->close();
    return std::make_unique<AcDbBlockReference>(AcGePoint3d(1, 2, 0), id);
}

CPmPart* placedPart(AcDbDatabase& drawing, const ACHAR* name, dpoint3d offset)
{
    CZnBlock* block = CPmDbxFactory::CreateBlock(sourceOf(drawing, name).get());
    block->AddToDrawing(false);
    CPmPart* part = CPmDbxFactory::MakePart();
    part->SetOffset(offset);
    part->AddBlock(block);
    return part;
}

void storeBarge(AcDbDatabase& drawing)
{
    CPmPart* mast = placedPart(drawing, L"Mast", {0, 0, 2});
    CPmPart* hull = placedPart(drawing, L"Hull", {0.5, 0, 0});
    hull->AddPart(mast);
    CPmSegment* segment = CPmDbxFactory::MakeSegment();
    segment->AddPart(hull);
    segment->AddPath({{{3, 4, 0}, 0.5, {4, 4, 0}}, {{5, 4, 0}, 0.0, {6, 4, 0}}});
    CPmSection* section = CPmDbxFactory::MakeSection(12.5, 1);
    section->AddSegment(segment);
    CPmSim* sim = CPmDbxFactory::MakeSim(7, 2);
    sim->SetName(L"Old barge");
    sim->SetDttmCreated(CTime(1000000));
    sim->AddSection(section);
    sim->Save();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s DRAWING\n", argv[0]);
        return 2;
    }
    fuzz::loadModules();
    int status = 0;
    {
        AcDbDatabase drawing;
        acdbHostApplicationServices()->setWorkingDatabase(&drawing);
        storeBarge(drawing);
        const std::string file(argv[1]);
        status = drawing.saveAs(std::wstring(file.begin(), file.end()).c_str()) == Acad::eOk ? 0 : 1;
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
    return status;
}
