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
constexpr std::size_t kChecksumSize = 4;
constexpr std::size_t kChecksummedHeaderSize = DrawingFileHeader::kSize - kChecksumSize;

std::uint32_t storedChecksum(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
} // namespace

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

Acad::ErrorStatus DrawingFileHeader::readFrom(DwgMemoryFiler& filer)
{
    const std::uint8_t* file = filer.data();
    if (filer.size() < sizeof kMagic || !std::equal(std::begin(kMagic), std::end(kMagic), file))
        return Acad::eBadDwgHeader;
    if (filer.size() < kSize)
        return Acad::eEndOfFile;
    if (crc32(file, kChecksummedHeaderSize) != storedChecksum(file + kChecksummedHeaderSize))
        return Acad::eDwgCRCDoesNotMatch;
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
    filer.seek(kSize, SEEK_SET);
    // The checksum vouches for the sizes, so a file that ends before its
    // sections do was cut short; one with bytes beyond them is no drawing.
    const std::uint64_t rest = filer.size() - kSize;
    if (classTableSize > rest || objectTableSize > rest - classTableSize)
        return Acad::eEndOfFile;
    if (classTableSize + objectTableSize != rest || classTableSize < kChecksumSize ||
        objectTableSize < kChecksumSize)
        return Acad::eBadDwgHeader;
    return Acad::eOk;
}

void appendChecksum(std::vector<std::uint8_t>& section)
{
    const std::uint32_t crc = crc32(section.data(), section.size());
    for (int shift = 0; shift < 32; shift += 8)
        section.push_back(static_cast<std::uint8_t>(crc >> shift));
}

bool checksumMatches(const std::uint8_t* section, std::size_t sizeWithChecksum)
{
    const std::size_t size = sizeWithChecksum - kChecksumSize;
    return crc32(section, size) == storedChecksum(section + size);
}
} // namespace cadhost
