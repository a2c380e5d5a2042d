// The drawing-bound animation block of a part: a second block reference that
// duplicates the part's block, kept for animating the part. It is built
// pending, from the values of the part's block's reference, placed in model
// space like a drawing block, and from then on tracked by both the handle and
// the object id of its reference. It is never filed and never removed.
//
// Copies follow the drawing block's rule: a copy of a pending animation block
// gets its own new pending reference with the same values, never a second
// pointer to the one this block owns.
#pragma once

#include "model/CPmAnimationBlock.h"
#include "host/AcDbHandle.h"
#include "host/AcDbObjectId.h"

class AcDbBlockReference;
class CZnBlock;

class CPmAcadAnimationBlock : public CPmAnimationBlock
{
public:
    // Pending with the values of source's pending reference, or of its
    // placed reference found by handle (opened for read and closed again).
    // Empty when source has neither or its reference cannot be opened.
    // Source is never changed.
    explicit CPmAcadAnimationBlock(const CZnBlock& source);
    CPmAcadAnimationBlock(const CPmAcadAnimationBlock& other);
    CPmAcadAnimationBlock& operator=(const CPmAcadAnimationBlock& other);
    // Deletes a pending reference; a placed one belongs to the drawing.
    ~CPmAcadAnimationBlock() override;

    void DisplayPrint(std::wstringstream& stream) const override;
    // A null id pointer leaves the id as it is.
    void SetRefId(AcDbObjectId* id) override;
    void SetRefIdNull() override;
    const AcDbHandle* Handle() const override { return &m_handle; }
    // Not constant: callers may write the id through it.
    AcDbObjectId* RefId() override { return &m_refId; }
    // Places the pending reference in model space, hidden unless visible,
    // and records its handle and object id. Without one, changes nothing and
    // answers whether the block table could be opened.
    int AddToDrawing(bool visible) override;

private:
    AcDbBlockReference* m_pBlockRef = nullptr;
    AcDbHandle m_handle;
    AcDbObjectId m_refId;
};

std::wstringstream& operator<<(std::wstringstream& stream, const CPmAcadAnimationBlock& block);
