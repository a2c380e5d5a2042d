#include "cadhost/DrawingFileHeader.h"

#include "cadhost/Crc32.h"
#include "cadhost/DwgMemoryFiler.h"

#include <algorithm>
#include <iterator>

namespace cadhost
{
namespace
{
// Not text, and a line-ending translation or an 8-bit strip damages it
// visibly.
constexpr std::uint8_t kMagic[8] = {0x89, 'Z', 'N', 'D', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kChecksummedHeaderSize = DrawingFileHeader::kSize - kChecksumSize;
} // namespace

std::uint32_t storedChecksum(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void DrawingFileHeader::writeTo(DwgMemoryFiler& filer) const
{
    filer.writeBytes(kMagic, sizeof kMagic);
    filer.writeUInt32(kFormatVersion);
    filer.writeUInt32(classCount);
    filer.writeUInt32(objectCount);
    filer.writeUInt64(handseed);
    filer.writeUInt64(namedObjectsHandle);
    filer.writeUInt64(blockTableHandle);
    filer.writeUInt64(classTableSize);
    filer.writeUInt64(objectTableSize);
    filer.writeUInt32(crc32(filer.data(), kChecksummedHeaderSize));
}

Acad::ErrorStatus DrawingFileHeader::readFrom(const std::uint8_t* start, std::uint64_t fileSize)
{
    if (fileSize < sizeof kMagic || !std::equal(std::begin(kMagic), std::end(kMagic), start))
        return Acad::eBadDwgHeader;
    if (fileSize < kSize)
        return Acad::eEndOfFile;
    if (crc32(start, kChecksummedHeaderSize) != storedChecksum(start + kChecksummedHeaderSize))
        return Acad::eDwgCRCDoesNotMatch;
    DwgMemoryFiler filer;
    filer.assignBuffer(start, kSize);
    Adesk::UInt32 version = 0;
    filer.seek(sizeof kMagic, SEEK_SET);
    filer.readUInt32(&version);
    if (version != kFormatVersion)
        return Acad::eInvalidDwgVersion;
    filer.readUInt32(&classCount);
    filer.readUInt32(&objectCount);
    filer.readUInt64(&handseed);
    filer.readUInt64(&namedObjectsHandle);
    filer.readUInt64(&blockTableHandle);
    filer.readUInt64(&classTableSize);
    filer.readUInt64(&objectTableSize);
    // The checksum vouches for the sizes, so a file that ends before its
    // sections do was cut short; one with bytes beyond them is no drawing.
    const std::uint64_t rest = fileSize - kSize;
    if (classTableSize > rest || objectTableSize > rest - classTableSize)
        return Acad::eEndOfFile;
    if (classTableSize + objectTableSize != rest || classTableSize < kChecksumSize ||
        objectTableSize < kChecksumSize)
        return Acad::eBadDwgHeader;
    return Acad::eOk;
}

std::array<std::uint8_t, kChecksumSize> checksumBytes(std::uint32_t crc)
{
    return {static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
            static_cast<std::uint8_t>(crc >> 16), static_cast<std::uint8_t>(crc >> 24)};
}

void appendChecksum(std::vector<std::uint8_t>& section)
{
    const auto bytes = checksumBytes(crc32(section.data(), section.size()));
    section.insert(section.end(), bytes.begin(), bytes.end());
}
} // namespace cadhost
