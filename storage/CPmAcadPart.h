// A part as it lives in a drawing: it files its text, its offset, its
// block's field and then its sub-parts' records, depth first. The animation
// block is not filed.
#pragma once

#include "model/CPmPart.h"

class CPmAcadPart : public CPmPart
{
public:
    CPmAcadPart() = default;
    // Deep copies, as any part copies.
    explicit CPmAcadPart(const CPmPart& part) : CPmPart(part) {}
    CPmAcadPart(const CPmAcadPart& other) : CPmPart(other) {}

    using CPmPart::Load;
    using CPmPart::Save;
    // The block field is always one handle: a drawing block files its own;
    // any other block is written with the handle it answers, and a part
    // without a block with the null handle, as an empty drawing block would
    // be, so that the reader, which always reads one, stays in step.
    void Save(AcDbDwgFiler* filer) const override;
    // Reads into a freshly made part. The block always comes back as a
    // drawing block holding only the handle read.
    void Load(AcDbDwgFiler* filer) override;
};
