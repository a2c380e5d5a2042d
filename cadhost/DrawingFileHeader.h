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
// The first format (version 1) has a header of 64 bytes and no header
// variables; the current one (version 2) adds the size of its header
// variables section, which comes between the header and the class table.
struct DrawingFileHeader
{
    static constexpr Adesk::UInt32 kFirstVersion = 1;
    static constexpr Adesk::UInt32 kFormatVersion = 2;
    // The most a header takes: what a reader reads first.
    static constexpr std::size_t kSize = 72;
    // 0 for a version that is none.
    static std::size_t sizeOf(Adesk::UInt32 version);

    Adesk::UInt32 version = kFormatVersion;
    Adesk::UInt32 classCount = 0;
    Adesk::UInt32 objectCount = 0;
    Adesk::UInt64 handseed = 0;
    Adesk::UInt64 namedObjectsHandle = 0;
    Adesk::UInt64 blockTableHandle = 0;
    Adesk::UInt64 classTableSize = 0;
    Adesk::UInt64 objectTableSize = 0;
    // Of the header variables section, its checksum included; none in the
    // first format.
    Adesk::UInt64 variablesSize = 0;

    std::size_t size() const { return sizeOf(version); }
    std::uint64_t variablesStart() const { return size(); }
    std::uint64_t classTableStart() const { return size() + variablesSize; }
    std::uint64_t objectTableStart() const { return classTableStart() + classTableSize; }

    // Writes the header at the filer's start in the layout of its version,
    // its checksum last.
    void writeTo(DwgMemoryFiler& filer) const;
    // Reads and checks the header of a file of fileSize bytes from its first
    // bytes (kSize of them, or the whole file when it is shorter): its magic
    // (eBadDwgHeader), its version (eInvalidDwgVersion), its length
    // (eEndOfFile when cut short), its checksum (eDwgCRCDoesNotMatch) and
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
