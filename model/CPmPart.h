// One piece of the moving assembly that a segment carries along its path:
// the block that shows it in the drawing, an animation block, an offset, a
// text carried with it, and sub-parts that move with it.
//
// A part owns its block, its animation block and its sub-parts and deletes
// them when it goes. The Add operations hand ownership over. AddBlock
// replaces the block pointer without deleting the block held before, which
// becomes the caller's to free (AddBlock with null thus detaches a block).
// A null sub-part is not added.
//
// Parts exist only as a derived class (the drawing-bound part that files
// itself), so the constructors are protected. A copy is deep: the block is
// copied through the block factory and each sub-part through the factory of
// drawing-bound pieces. Assignment is deleted, as a memberwise one would
// leave two owners of the same blocks and sub-parts.
#pragma once

#include "model/dpoint3d.h"
#include "host/CString.h"

#include <iosfwd>
#include <vector>

class AcDbDwgFiler;
class CIvMstnObject;
class CPmAnimationBlock;
class CZnBlock;

class CPmPart
{
public:
    virtual ~CPmPart();
    // Filing is done by the drawing-bound part; nothing is filed here.
    virtual void Save(CIvMstnObject* object) const;
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Load(CIvMstnObject* object);
    virtual void Load(AcDbDwgFiler* filer);

    CZnBlock* Block() const { return m_block; }
    CPmAnimationBlock* AnimationBlock() const { return m_animationBlock; }
    dpoint3d Offset() const { return m_offset; }
    void SetOffset(dpoint3d offset) { m_offset = offset; }

    // Takes the block and places it in the drawing, invisible; the status of
    // placing it is not reported.
    void AddBlock(CZnBlock* block);
    void AddBlock(CPmAnimationBlock* block);

    // Removes the block references of this part and of all its sub-parts
    // from the drawing. Every removal is attempted; the result is the sum of
    // their statuses, 0 when all succeeded. A part without a block adds 0.
    // The animation block is left alone.
    int RemoveBlock();

    // The sub-part at index, or null outside 0 .. NumSubParts() - 1.
    CPmPart* SubPart(int index) const;
    int NumSubParts() const;
    void AddPart(CPmPart* part);

    void DisplayPrint(std::wstringstream& stream) const;

protected:
    CPmPart();
    // Offset, text, a copy of the block (none when the block factory cannot
    // copy that kind) and a deep copy of each sub-part. The animation block
    // is never copied: the copy has none.
    CPmPart(const CPmPart& other);
    CPmPart& operator=(const CPmPart&) = delete;

    CZnBlock* m_block = nullptr;
    CPmAnimationBlock* m_animationBlock = nullptr;
    dpoint3d m_offset;
    CString m_text;
    std::vector<CPmPart*> m_subParts;
};

std::wstringstream& operator<<(std::wstringstream& stream, const CPmPart& part);
