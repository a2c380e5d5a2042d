// Objects opened through the host, closed when their holder goes, also
// when a visit or a failure unwinds past it. An open that fails leaves the
// holder empty: the caller decides whether that is a failure or something
// to pass over.
#pragma once

#include "host/AcDbDatabase.h"
#include "host/AcDbObject.h"
#include "host/AcDbSymbolTable.h"

#include <memory>

struct CloseObject
{
    void operator()(AcDbObject* object) const { object->close(); }
};

template <class T> using Opened = std::unique_ptr<T, CloseObject>;

// The object of id, of class T, opened in mode; empty when it cannot be
// (erased, of another class, opened for write elsewhere).
template <class T> [[nodiscard]] Opened<T> OpenObject(AcDbObjectId id, AcDb::OpenMode mode)
{
    T* object = nullptr;
    if (acdbOpenObject(object, id, mode) != Acad::eOk)
        return nullptr;
    return Opened<T>(object);
}

// One of the working drawing's symbol tables (block, layer, line type, text
// style); empty when there is no working drawing.
template <class Table> [[nodiscard]] Opened<Table> OpenSymbolTable(AcDb::OpenMode mode)
{
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    Table* table = nullptr;
    if (drawing == nullptr || drawing->getSymbolTable(table, mode) != Acad::eOk)
        return nullptr;
    return Opened<Table>(table);
}

// The working drawing's block table; empty when there is no working drawing.
[[nodiscard]] Opened<AcDbBlockTable> OpenBlockTable(AcDb::OpenMode mode);

// The block definition of the working drawing's model space; null when
// there is none.
[[nodiscard]] AcDbObjectId ModelSpaceId();
