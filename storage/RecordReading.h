// Reading a record stops at the first filer failure. Past it, every read
// answers zeros, so going on could only add empty children, and a count that
// a damaged record got wrong could keep a reader making them for a very long
// time. The failure itself stays in the filer, where the host looks for it.
#pragma once

#include "host/AcDbDwgFiler.h"
#include "host/CString.h"
#include "host/acutMem.h"

inline bool StillReading(const AcDbDwgFiler* filer)
{
    return filer->filerStatus() == Acad::eOk;
}

// The next text of the record, copied out of the host's buffer, which is
// freed; empty when the filer hands back none.
inline CString ReadText(AcDbDwgFiler* filer)
{
    ACHAR* buffer = nullptr;
    filer->readString(&buffer);
    const CString text(buffer);
    if (buffer != nullptr)
        acutDelBuffer(buffer);
    return text;
}
