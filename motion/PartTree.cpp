#include "motion/PartTree.h"

#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/Utf8Text.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "model/CPmPart.h"
#include "model/CZnBlock.h"
#include "motion/Outline.h"
#include "storage/PartText.h"

namespace
{
// The part's block reference, looked up by its handle in the working drawing.
void ReadBlock(const CPmPart& part, PartShape& shape)
{
    const CZnBlock* block = part.Block();
    const AcDbHandle* handle = block != nullptr ? block->Handle() : nullptr;
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    AcDbObjectId id;
    if (handle == nullptr || handle->isNull())
        return;
    shape.reference = *handle;
    if (drawing == nullptr || drawing->getAcDbObjectId(id, false, *handle) != Acad::eOk)
        return;
    AcDbBlockReference* reference = nullptr;
    if (acdbOpenObject(reference, id, AcDb::kForRead) != Acad::eOk)
        return;
    shape.definition = reference->blockTableRecord();
    Affine2 placed = ReferencePlacement(*reference);
    placed.e = 0.0;
    placed.f = 0.0;
    shape.shape = placed;
    reference->close();
}

void Flatten(const CPmPart& part, int depth, const dpoint3d& parentOffset,
             std::vector<PartShape>& parts)
{
    PartShape shape;
    shape.depth = depth;
    const dpoint3d own = part.Offset();
    shape.offset = {parentOffset.x + own.x, parentOffset.y + own.y, parentOffset.z + own.z};
    ReadBlock(part, shape);
    DwgMemoryFiler scratch;
    shape.text = cadhost::toUtf8(PartText(part, scratch).str());
    parts.push_back(shape);
    for (int i = 0; i < part.NumSubParts(); ++i)
        Flatten(*part.SubPart(i), depth + 1, shape.offset, parts);
}
} // namespace

std::vector<PartShape> PartShapes(const CPmPart& top)
{
    std::vector<PartShape> parts;
    Flatten(top, 0, {}, parts);
    return parts;
}
