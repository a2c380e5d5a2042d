// What a part reaches its drawing block through: one block reference that
// shows the part in model space. The interface holds no data; the
// drawing-bound block places, moves, removes and files the reference.
// Desc, ElementId and the operations taking the other CAD host's object keep
// the base answers everywhere in this system.
#pragma once

#include "host/WinTypes.h"

#include <iosfwd>

class AcDbBlockReference;
class AcDbDwgFiler;
class AcDbHandle;
class CIvMstnObject;

class CZnBlock
{
public:
    CZnBlock() = default;
    CZnBlock(const CZnBlock&) = default;
    CZnBlock& operator=(const CZnBlock&) = default;
    virtual ~CZnBlock();

    virtual void DisplayPrint(std::wstringstream& stream) const = 0;
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Save(CIvMstnObject* object) const;
    virtual void Load(AcDbDwgFiler* filer);
    virtual void Load(CIvMstnObject* object);
    // Null here: a block without a drawing reference has no handle.
    virtual const AcDbHandle* Handle() const;
    // The reference not yet placed in the drawing, if any; null here.
    virtual const AcDbBlockReference* BlockRef() const;
    // Both answer a status: 0 on success, else the host's error status.
    virtual int AddToDrawing(bool visible) = 0;
    virtual int RemoveFromDrawing() = 0;
    virtual int* Desc() const;
    virtual unsigned __int64 ElementId() const;
};

std::wstringstream& operator<<(std::wstringstream& stream, const CZnBlock& block);
