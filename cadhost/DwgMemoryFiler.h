// The host's binary drawing filer over memory: what the host uses to file
// objects for undo, for copies and into drawing files. Values are stored
// little-endian at their natural width, text as a 32-bit count of UTF-16
// code units followed by the units. Nothing is allocated per value beyond
// the growth of the buffer.
#pragma once

#include "host/AcDbDwgFiler.h"

#include <cstdint>
#include <vector>

class DwgMemoryFiler : public AcDbDwgFiler
{
public:
    explicit DwgMemoryFiler(AcDbDatabase* database = nullptr,
                            AcDb::FilerType type = AcDb::kFileFiler);
    ~DwgMemoryFiler() override;

    // The bytes written so far, and a way to read given bytes from the start.
    const std::vector<std::uint8_t>& buffer() const;
    void setBuffer(std::vector<std::uint8_t> bytes);
    void rewind();

    // AcDbDwgFiler: every read and write operation (see the base class).
};
