// Reading a record stops at the first filer failure. Past it, every read
// answers zeros, so going on could only add empty children, and a count that
// a damaged record got wrong could keep a reader making them for a very long
// time. The failure itself stays in the filer, where the host looks for it.
#pragma once

#include "host/AcDbDwgFiler.h"
#include "host/CString.h"
#include "host/acutMem.h"

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

// Part trees are a few levels deep. A damaged or hostile record that nests
// sub-parts without end would make a part reader recurse until the stack ran
// out; a reader holds one of these while it reads a part, and past a
// thousand levels the record is refused as improperly read.
class PartNesting
{
public:
    explicit PartNesting(AcDbDwgFiler* filer)
    {
        if (++s_depth > kMaxDepth)
            filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    }
    ~PartNesting() { --s_depth; }
    PartNesting(const PartNesting&) = delete;
    PartNesting& operator=(const PartNesting&) = delete;

    bool TooDeep() const { return s_depth > kMaxDepth; }

private:
    static constexpr int kMaxDepth = 1000;
    inline static int s_depth = 0;
};
