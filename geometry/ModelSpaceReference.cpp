#include "geometry/ModelSpaceReference.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"

#include <ostream>

namespace
{
// Null only in a host without a drawing; the answer is then eNoDatabase.
AcDbDatabase* workingDatabase()
{
    return acdbHostApplicationServices()->workingDatabase();
}

int openBlockTable(AcDbBlockTable*& table)
{
    table = nullptr;
    AcDbDatabase* database = workingDatabase();
    if (database == nullptr)
        return Acad::eNoDatabase;
    return database->getSymbolTable(table, AcDb::kForRead);
}

// Model space of the working drawing, open for write. The block table is
// open only while the record is looked up.
int openModelSpace(AcDbBlockTableRecord*& space)
{
    space = nullptr;
    AcDbBlockTable* table = nullptr;
    const int opened = openBlockTable(table);
    if (opened != Acad::eOk)
        return opened;
    const Acad::ErrorStatus found = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    table->close();
    return found;
}
} // namespace

namespace ModelSpaceReference
{
AcDbBlockReference* NewPending(const AcDbBlockReference* source)
{
    if (source == nullptr)
        return nullptr;
    auto* reference = new AcDbBlockReference();
    reference->setBlockTableRecord(source->blockTableRecord());
    reference->setScaleFactors(source->scaleFactors());
    reference->setPosition(source->position());
    return reference;
}

void ReplacePending(AcDbBlockReference*& owned, const AcDbBlockReference* source)
{
    AcDbBlockReference* copy = NewPending(source);
    delete owned;
    owned = copy;
}

int Place(AcDbBlockReference*& pending, bool visible, AcDbObjectId& placedId)
{
    if (pending == nullptr)
    {
        // Nothing to place; the block table is still opened and closed, so
        // the caller learns whether the drawing could take a reference.
        AcDbBlockTable* table = nullptr;
        const int opened = openBlockTable(table);
        if (opened == Acad::eOk)
            table->close();
        return opened;
    }
    AcDbBlockTableRecord* space = nullptr;
    const int opened = openModelSpace(space);
    if (opened != Acad::eOk)
        return opened;
    AcDbObjectId id;
    const Acad::ErrorStatus appended = space->appendAcDbEntity(id, pending);
    int status = space->close();
    if (appended != Acad::eOk)
        return appended;
    placedId = id;
    if (!visible)
        status = pending->setVisibility(AcDb::kInvisible, true);
    pending->close();
    pending = nullptr;
    return status;
}

int OpenByHandle(const AcDbHandle& handle, AcDb::OpenMode mode, AcDbBlockReference*& reference)
{
    reference = nullptr;
    AcDbDatabase* database = workingDatabase();
    if (database == nullptr)
        return Acad::eNoDatabase;
    AcDbObjectId id;
    const Acad::ErrorStatus found = database->getAcDbObjectId(id, false, handle, 0);
    if (found != Acad::eOk)
        return found;
    return acdbOpenObject(reference, id, mode, false);
}

void PrintHandle(std::wostream& stream, const AcDbHandle& handle)
{
    if (handle.isNull())
        stream << L"Null";
    else
        stream << handle.high() << L", " << handle.low();
}
} // namespace ModelSpaceReference
