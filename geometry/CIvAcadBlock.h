// The drawing block of a part: one block reference in the model space of the
// working drawing. It passes through four states:
//   empty    no reference, handle 0 (default, or built from no reference);
//   pending  owns a new reference in no drawing, copied from an existing one;
//   placed   AddToDrawing appended that reference; only its handle is kept;
//   loaded   the handle was read from a part record.
// The handle is what a part record files, and what SetPos and
// RemoveFromDrawing find the reference by in the working drawing.
//
// Copies: a pending block owns its reference, so a copy of one gets its own
// new pending reference with the same values rather than a second pointer to
// the same one; assignment builds that copy before it lets go of the
// reference it owned. Copies of empty, placed and loaded blocks share only
// the handle, which the drawing owns.
#pragma once

#include "model/CZnBlock.h"
#include "model/dpoint3d.h"
#include "host/AcDbHandle.h"

class AcDbBlockReference;
class CZnAcadBlock;

class CIvAcadBlock : public CZnBlock
{
public:
    CIvAcadBlock() = default;
    // Pending with a copy of source's block definition, scale and position;
    // empty when source is null. Source is only read and stays the caller's.
    explicit CIvAcadBlock(AcDbBlockReference* source);
    CIvAcadBlock(const CIvAcadBlock& other);
    // The previous release's block becomes a drawing block on the same
    // reference: its two fields are taken over as a copy takes them.
    explicit CIvAcadBlock(const CZnAcadBlock& legacy);
    CIvAcadBlock& operator=(const CIvAcadBlock& other);
    // Deletes a pending reference; a placed one belongs to the drawing.
    ~CIvAcadBlock() override;

    void DisplayPrint(std::wstringstream& stream) const override;
    using CZnBlock::Load;
    using CZnBlock::Save;
    // The block's field of a part record: exactly one handle.
    void Save(AcDbDwgFiler* filer) const override;
    void Load(AcDbDwgFiler* filer) override;
    const AcDbHandle* Handle() const override { return &m_handle; }
    const AcDbBlockReference* BlockRef() const override { return m_pBlockRef; }

    // Places the pending reference in model space, hidden unless visible.
    // Without one, changes nothing and answers whether the block table
    // could be opened.
    int AddToDrawing(bool visible) override;
    // Erases the placed reference and its block definition; the answer is
    // the sum of the statuses. -1 without a handle; the host's status when
    // the handle finds nothing (for instance on a second call).
    int RemoveFromDrawing() override;
    // Moves the pending reference, or the placed one found by its handle.
    // -1 when there is neither.
    int SetPos(dpoint3d position);

private:
    // A pending copy of pending, if there is one, and the handle.
    CIvAcadBlock(const AcDbBlockReference* pending, const AcDbHandle& handle);

    // The placed or loaded reference, found by its handle and opened for
    // write; -1 without a handle, else the host's status.
    int OpenPlaced(AcDbBlockReference*& reference) const;

    AcDbBlockReference* m_pBlockRef = nullptr;
    AcDbHandle m_handle;
};

std::wstringstream& operator<<(std::wstringstream& stream, const CIvAcadBlock& block);
