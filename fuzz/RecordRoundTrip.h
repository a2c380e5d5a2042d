// A record read into a new object through a memory filer. A record the
// object takes must also come back whole: what the object writes, it reads
// again whole, and writes again at the same length, or the next save would
// leave a drawing its own reader refuses. The values may move: angles are
// kept as a placement in memory, and converting them there and back again
// is exact only to rounding.
#pragma once

#include "cadhost/DwgMemoryFiler.h"
#include "host/AcDbObject.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzz
{
inline bool readsWhole(AcDbObject& object, DwgMemoryFiler& filer)
{
    return object.dwgInFields(&filer) == Acad::eOk && filer.filerStatus() == Acad::eOk &&
           filer.tell() == static_cast<Adesk::Int64>(filer.size());
}

// makeObject gives a new, empty object of the record's class.
template <class MakeObject>
void readRecord(const std::uint8_t* data, std::size_t size, MakeObject makeObject)
{
    DwgMemoryFiler record;
    record.assignBuffer(data, size);
    const auto read = makeObject();
    if (!readsWhole(*read, record))
        return;
    DwgMemoryFiler written;
    read->dwgOutFields(&written);
    written.rewind();
    const auto reread = makeObject();
    DwgMemoryFiler rewritten;
    const bool whole = readsWhole(*reread, written) && reread->dwgOutFields(&rewritten) == Acad::eOk;
    if (!whole || rewritten.size() != written.size())
    {
        std::fprintf(stderr, "fuzz: a record read does not write back as it reads\n");
        std::abort();
    }
}
} // namespace fuzz
