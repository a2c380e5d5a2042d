#include "app/BlockReferences.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"

AcDbBlockReference* OpenBlockReference(const AcDbHandle& handle)
{
    AcDbObjectId id;
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockReference* reference = nullptr;
    if (drawing->getAcDbObjectId(id, false, handle) == Acad::eOk)
        acdbOpenObject(reference, id, AcDb::kForRead);
    return reference;
}

std::optional<std::wstring> DefinitionName(const AcDbHandle& handle)
{
    AcDbBlockReference* reference = OpenBlockReference(handle);
    if (reference == nullptr)
        return std::nullopt;
    const AcDbObjectId definitionId = reference->blockTableRecord();
    reference->close();
    return DefinitionName(definitionId);
}

std::optional<std::wstring> DefinitionName(AcDbObjectId definitionId)
{
    AcDbBlockTableRecord* definition = nullptr;
    if (acdbOpenObject(definition, definitionId, AcDb::kForRead) != Acad::eOk)
        return std::nullopt;
    const ACHAR* name = nullptr;
    definition->getName(name);
    std::wstring result = name != nullptr ? name : L"";
    definition->close();
    return result;
}
