// The fixed header at the start of a drawing file, and the checksums that
// close each of its sections. docs/drawing-file-format.md describes the
// whole layout.
#pragma once

#include "host/AcadErrorStatus.h"
#include "host/WinTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class DwgMemoryFiler;

namespace cadhost
{
struct DrawingFileHeader
{
    static constexpr Adesk::UInt32 kFormatVersion = 1;
    static constexpr std::size_t kSize = 64;

    Adesk::UInt32 classCount = 0;
    Adesk::UInt32 objectCount = 0;
    Adesk::UInt64 handseed = 0;
    Adesk::UInt64 namedObjectsHandle = 0;
    Adesk::UInt64 blockTableHandle = 0;
    Adesk::UInt64 classTableSize = 0;
    Adesk::UInt64 objectTableSize = 0;

    // Writes the header at the filer's start, its checksum last.
    void writeTo(DwgMemoryFiler& filer) const;
    // Reads and checks the header of a file of fileSize bytes from its first
    // bytes (all of the header, or the whole file when it is shorter): its
    // magic (eBadDwgHeader), its length (eEndOfFile when cut short), its
    // checksum (eDwgCRCDoesNotMatch), its version (eInvalidDwgVersion) and
    // that the sections it names fill the rest of the file exactly.
    Acad::ErrorStatus readFrom(const std::uint8_t* start, std::uint64_t fileSize);
};

// A section ends in the CRC-32 of what comes before it in the section.
constexpr std::size_t kChecksumSize = 4;
void appendChecksum(std::vector<std::uint8_t>& section);
// The checksum as it is stored: four bytes, little-endian.
std::array<std::uint8_t, kChecksumSize> checksumBytes(std::uint32_t crc);
std::uint32_t storedChecksum(const std::uint8_t* at);
} // namespace cadhost
