// The previous release's part: the part record both releases share, filed in
// the previous release's format, whose blocks are that release's blocks.
#pragma once

#include "model/CPmPart.h"

class CZnAcadPart : public CPmPart
{
public:
    CZnAcadPart() = default;
    // A deep copy that stays of the previous release: legacy blocks and
    // sub-parts are copied as such, anything else is left out.
    CZnAcadPart(const CZnAcadPart& other);

    using CPmPart::Load;
    using CPmPart::Save;
    void Save(AcDbDwgFiler* filer) const override;
    // Reads into a freshly made part; the block comes back as a legacy block
    // holding only its handle.
    void Load(AcDbDwgFiler* filer) override;
};
