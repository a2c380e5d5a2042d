// What a part reaches its animation block through: a second reference that
// duplicates the part's block for animating it, tracked by its object id.
// The interface holds no data. DuplicateInDrawing, ElementDesc, PrevElement
// and SetPrevElement keep the base answers everywhere in this system.
#pragma once

#include <iosfwd>

class AcDbHandle;
class AcDbObjectId;

class CPmAnimationBlock
{
public:
    CPmAnimationBlock() = default;
    CPmAnimationBlock(const CPmAnimationBlock&) = default;
    CPmAnimationBlock& operator=(const CPmAnimationBlock&) = default;
    virtual ~CPmAnimationBlock();

    virtual void DisplayPrint(std::wstringstream& stream) const = 0;
    virtual void SetRefId(AcDbObjectId* id);
    virtual void SetRefIdNull();
    // Null here: without a reference there is no handle.
    virtual const AcDbHandle* Handle() const;
    // Null here: without a reference there is no object id.
    virtual AcDbObjectId* RefId();
    // A status: 0 on success, else the host's error status.
    virtual int AddToDrawing(bool visible) = 0;
    virtual void DuplicateInDrawing();
    virtual int* ElementDesc();
    virtual int PrevElement();
    virtual void SetPrevElement(int element);
};

std::wstringstream& operator<<(std::wstringstream& stream, const CPmAnimationBlock& block);
