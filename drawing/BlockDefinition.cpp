#include "drawing/BlockDefinition.h"

#include "cadhost/Utf8Text.h"
#include "drawing/Failure.h"
#include "drawing/Opened.h"

namespace
{
[[noreturn]] void Refused(const char* what, Acad::ErrorStatus status)
{
    throw Failure(FailureKind::internal,
                  std::string("the drawing refused ") + what + " (host status " + std::to_string(status) + ")");
}

Opened<AcDbBlockTable> BlockTable(AcDb::OpenMode mode)
{
    Opened<AcDbBlockTable> table = OpenBlockTable(mode);
    if (!table)
        throw Failure(FailureKind::internal, "there is no drawing to add blocks to");
    return table;
}
} // namespace

std::string FreeBlockName(const std::string& name)
{
    const Opened<AcDbBlockTable> table = BlockTable(AcDb::kForRead);
    // The host holds a name up to its first NUL; numbered past one, every
    // candidate would be the same name.
    const std::string held = name.substr(0, name.find('\0'));
    std::string free = held;
    for (int n = 2; table->has(cadhost::fromUtf8(free).c_str()); ++n)
        free = held + " (" + std::to_string(n) + ")";
    return free;
}

AcDbObjectId AddBlockDefinition(const std::string& name)
{
    const Opened<AcDbBlockTable> table = BlockTable(AcDb::kForWrite);
    auto record = std::make_unique<AcDbBlockTableRecord>();
    record->setName(cadhost::fromUtf8(name).c_str());
    AcDbObjectId id;
    if (const Acad::ErrorStatus status = table->add(id, record.get()); status != Acad::eOk)
        Refused("a new block definition", status);
    record.release()->close();
    return id;
}

std::vector<AcDbObjectId> AppendEntities(AcDbObjectId recordId, NewEntities entities)
{
    AcDbBlockTableRecord* record = nullptr;
    if (const Acad::ErrorStatus status = acdbOpenObject(record, recordId, AcDb::kForWrite); status != Acad::eOk)
        Refused("to open a block definition", status);
    const Opened<AcDbBlockTableRecord> opened(record);
    std::vector<AcDbObjectId> ids;
    ids.reserve(entities.size());
    for (std::unique_ptr<AcDbEntity>& entity : entities)
    {
        AcDbObjectId id;
        if (const Acad::ErrorStatus status = record->appendAcDbEntity(id, entity.get()); status != Acad::eOk)
            Refused("a new entity", status);
        entity.release()->close();
        ids.push_back(id);
    }
    return ids;
}

void EraseBlockDefinition(AcDbObjectId definition)
{
    AcDbBlockTableRecord* record = nullptr;
    if (const Acad::ErrorStatus status = acdbOpenObject(record, definition, AcDb::kForWrite); status != Acad::eOk)
        Refused("to open a block definition", status);
    const Opened<AcDbBlockTableRecord> opened(record);
    if (const Acad::ErrorStatus status = record->erase(); status != Acad::eOk)
        Refused("to erase a block definition", status);
}

AcDbObjectId DefineBlock(const std::string& name, NewEntities entities)
{
    const AcDbObjectId id = AddBlockDefinition(FreeBlockName(name));
    AppendEntities(id, std::move(entities));
    return id;
}
