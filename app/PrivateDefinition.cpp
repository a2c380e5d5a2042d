#include "app/PrivateDefinition.h"

#include "app/BlockReferences.h"
#include "cadhost/DwgMemoryFiler.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcRxClass.h"

namespace
{
// Characters the host does not allow in a block name.
bool Forbidden(wchar_t c)
{
    return std::wstring(L"<>/\\\":;?*|,=`").find(c) != std::wstring::npos || c < L' ';
}

std::wstring FreeName(const AcDbBlockTable& table, const std::wstring& definition,
                      std::wstring simulation)
{
    for (wchar_t& c : simulation)
        if (Forbidden(c))
            c = L'_';
    for (int number = 1;; ++number)
    {
        const std::wstring name = definition + L" [" + simulation + L" " + std::to_wstring(number) + L"]";
        if (!table.has(name.c_str()))
            return name;
    }
}

// A copy of entity in no drawing, made by filing it out and into a new
// object of its class, as the host's copy filer does.
AcDbEntity* CopyOf(const AcDbEntity& entity)
{
    AcDbEntity* copy = AcDbEntity::cast(entity.isA()->create());
    if (copy == nullptr)
        return nullptr;
    DwgMemoryFiler filer(entity.database(), AcDb::kCopyFiler);
    entity.dwgOutFields(&filer);
    filer.rewind();
    if (copy->dwgInFields(&filer) != Acad::eOk)
    {
        delete copy;
        return nullptr;
    }
    return copy;
}

// Appends to copy, open for write, a copy of each entity of source.
Acad::ErrorStatus CopyEntities(AcDbObjectId sourceId, AcDbBlockTableRecord& copy)
{
    AcDbBlockTableRecord* source = nullptr;
    Acad::ErrorStatus status = acdbOpenObject(source, sourceId, AcDb::kForRead);
    if (status != Acad::eOk)
        return status;
    AcDbBlockTableRecordIterator* iterator = nullptr;
    source->newIterator(iterator);
    for (; status == Acad::eOk && !iterator->done(); iterator->step())
    {
        AcDbEntity* entity = nullptr;
        status = iterator->getEntity(entity, AcDb::kForRead);
        if (status != Acad::eOk)
            break;
        AcDbEntity* entityCopy = CopyOf(*entity);
        entity->close();
        status = entityCopy != nullptr ? copy.appendAcDbEntity(entityCopy) : Acad::eNotApplicable;
        if (status == Acad::eOk)
            entityCopy->close();
        else
            delete entityCopy;
    }
    delete iterator;
    source->close();
    return status;
}

// A new definition named after the one of sourceId, holding copies of its
// entities; copyId names it.
Acad::ErrorStatus CopyDefinition(AcDbObjectId sourceId, const std::wstring& simulation,
                                 AcDbObjectId& copyId)
{
    const std::optional<std::wstring> sourceName = DefinitionName(sourceId);
    if (!sourceName)
        return Acad::eKeyNotFound;
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus status =
        acdbHostApplicationServices()->workingDatabase()->getBlockTable(table, AcDb::kForWrite);
    if (status != Acad::eOk)
        return status;
    auto* copy = new AcDbBlockTableRecord;
    copy->setName(FreeName(*table, *sourceName, simulation).c_str());
    status = table->add(copyId, copy);
    table->close();
    if (status != Acad::eOk)
    {
        delete copy;
        return status;
    }
    status = CopyEntities(sourceId, *copy);
    if (status != Acad::eOk)
        copy->erase();
    copy->close();
    return status;
}
} // namespace

Acad::ErrorStatus MakePrivateReference(const AcDbBlockReference& source, const std::wstring& simulation,
                                       std::unique_ptr<AcDbBlockReference>& reference)
{
    reference.reset();
    AcDbObjectId copyId;
    const Acad::ErrorStatus status = CopyDefinition(source.blockTableRecord(), simulation, copyId);
    if (status != Acad::eOk)
        return status;
    reference = std::make_unique<AcDbBlockReference>(source.position(), copyId);
    return reference->setScaleFactors(source.scaleFactors());
}
