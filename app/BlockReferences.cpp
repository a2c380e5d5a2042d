#include "app/BlockReferences.h"

#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"

AcDbBlockReference* OpenBlockReference(const AcDbHandle& handle)
{
    AcDbObjectId id;
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockReference* reference = nullptr;
    if (drawing->getAcDbObjectId(id, false, handle) == Acad::eOk)
        acdbOpenObject(reference, id, AcDb::kForRead);
    return reference;
}

std::optional<std::string> DefinitionName(const AcDbHandle& handle)
{
    const Opened<AcDbBlockReference> reference(OpenBlockReference(handle));
    if (!reference)
        return std::nullopt;
    return BlockName(reference->blockTableRecord());
}
