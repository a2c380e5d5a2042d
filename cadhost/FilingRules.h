// Erased objects never go into drawing files, so a container leaves them out
// of the record it files there; every other filer (undo above all) keeps
// them, because unerasing brings them back.
#pragma once

#include "host/AcDbDwgFiler.h"

namespace cadhost
{
inline bool filesErasedObjects(const AcDbDwgFiler* filer)
{
    return filer->filerType() != AcDb::kFileFiler;
}
} // namespace cadhost
