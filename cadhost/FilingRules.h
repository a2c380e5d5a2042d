// What a host object's filing depends on beyond its own fields: whether
// erased objects go along, and the format its record was written in.
#pragma once

#include "host/AcDbDwgFiler.h"

namespace cadhost
{
// Erased objects never go into drawing files, so a container leaves them out
// of the record it files there; every other filer (undo above all) keeps
// them, because unerasing brings them back.
inline bool filesErasedObjects(const AcDbDwgFiler* filer)
{
    return filer->filerType() != AcDb::kFileFiler;
}

// The formats of the host's own records. Drawings of the first format hold
// entities without layer, colour, line type, line type scale or line
// weight, and no layer, line type or text style tables.
constexpr Adesk::UInt32 kFirstRecordFormat = 1;
constexpr Adesk::UInt32 kCurrentRecordFormat = 2;

// The format of the records a filer reads: that of the drawing file they
// come from; the current one for every other filer (undo, copies, filers
// the host does not know).
Adesk::UInt32 recordFormat(const AcDbDwgFiler* filer);
} // namespace cadhost
