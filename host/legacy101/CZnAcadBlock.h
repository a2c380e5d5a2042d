// The previous release's drawing block: one block reference in model space,
// held pending until it is placed and by its handle from then on. Its two
// fields are those of this release's drawing block, which takes them over
// when a legacy block is converted.
//
// Declared as far as this module uses it. This module never links the
// previous release's module: it converts a legacy block by reading the
// fields, and it moves one through SetPos, which is virtual so that the call
// goes through the object rather than to a symbol of that module.
#pragma once

#include "host/AcDbHandle.h"
#include "model/CZnBlock.h"
#include "model/dpoint3d.h"

class AcDbBlockReference;
class CIvAcadBlock;

class CZnAcadBlock : public CZnBlock
{
public:
    CZnAcadBlock() = default;
    // Pending with a copy of source's block definition, scale and position;
    // empty for a null source, which stays the caller's.
    explicit CZnAcadBlock(AcDbBlockReference* source);
    // A pending block's copy gets a pending reference of its own.
    CZnAcadBlock(const CZnAcadBlock& other);
    CZnAcadBlock& operator=(const CZnAcadBlock&) = delete;
    ~CZnAcadBlock() override;

    void DisplayPrint(std::wstringstream& stream) const override;
    using CZnBlock::Load;
    using CZnBlock::Save;
    void Save(AcDbDwgFiler* filer) const override;
    void Load(AcDbDwgFiler* filer) override;
    const AcDbHandle* Handle() const override { return &m_handle; }
    const AcDbBlockReference* BlockRef() const override { return m_pBlockRef; }
    int AddToDrawing(bool visible) override;
    int RemoveFromDrawing() override;
    // Moves the pending reference, or the placed one found by its handle.
    virtual int SetPos(dpoint3d position);

private:
    friend class CIvAcadBlock;

    AcDbBlockReference* m_pBlockRef = nullptr;
    AcDbHandle m_handle;
};
