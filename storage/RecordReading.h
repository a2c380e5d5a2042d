// Reading a record stops at the first filer failure. Past it, every read
// answers zeros, so going on could only add empty children, and a count that
// a damaged record got wrong could keep a reader making them for a very long
// time. The failure itself stays in the filer, where the host looks for it.
#pragma once

#include "host/AcDbDwgFiler.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

inline bool StillReading(const AcDbDwgFiler* filer)
{
    return filer->filerStatus() == Acad::eOk;
}

// How many of count records, each at least recordBytes long, the rest of the
// stream can hold: what a reader may reserve room for up front. Growing a
// long run one record at a time copies it over and over; reserving what a
// damaged count claims could ask for gigabytes that no stream backs.
inline std::size_t RecordsThatFit(AcDbDwgFiler* filer, Adesk::Int32 count, std::size_t recordBytes)
{
    const Adesk::Int64 here = filer->tell();
    if (count <= 0 || filer->seek(0, SEEK_END) != Acad::eOk)
        return 0;
    const Adesk::Int64 end = filer->tell();
    filer->seek(here, SEEK_SET);
    const auto left = static_cast<std::size_t>(std::max<Adesk::Int64>(end - here, 0));
    return std::min(static_cast<std::size_t>(count), left / recordBytes);
}
