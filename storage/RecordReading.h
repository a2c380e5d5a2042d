// Reading a record stops at the first filer failure. Past it, every read
// answers zeros, so going on could only add empty children, and a count that
// a damaged record got wrong could keep a reader making them for a very long
// time. The failure itself stays in the filer, where the host looks for it.
#pragma once

#include "host/AcDbDwgFiler.h"

inline bool StillReading(const AcDbDwgFiler* filer)
{
    return filer->filerStatus() == Acad::eOk;
}
