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
constexpr std::size_t kVersionAt = sizeof kMagic;
} // namespace

std::size_t DrawingFileHeader::sizeOf(Adesk::UInt32 version)
{
    switch (version)
    {
    case kFirstVersion:
        return 64;
    case kFormatVersion:
        return 72;
    default:
        return 0;
    }
}

std::uint32_t storedChecksum(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void DrawingFileHeader::writeTo(DwgMemoryFiler& filer) const
{
    filer.writeBytes(kMagic, sizeof kMagic);
    filer.writeUInt32(version);
    filer.writeUInt32(classCount);
    filer.writeUInt32(objectCount);
    filer.writeUInt64(handseed);
    filer.writeUInt64(namedObjectsHandle);
    filer.writeUInt64(blockTableHandle);
    filer.writeUInt64(classTableSize);
    filer.writeUInt64(objectTableSize);
    if (version != kFirstVersion)
        filer.writeUInt64(variablesSize);
    filer.writeUInt32(crc32(filer.data(), size() - kChecksumSize));
}

Acad::ErrorStatus DrawingFileHeader::readFrom(const std::uint8_t* start, std::uint64_t fileSize)
{
    if (fileSize < sizeof kMagic || !std::equal(std::begin(kMagic), std::end(kMagic), start))
        return Acad::eBadDwgHeader;
    if (fileSize < kVersionAt + 4)
        return Acad::eEndOfFile;
    DwgMemoryFiler filer;
    filer.assignBuffer(start, static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kSize)));
    filer.seek(kVersionAt, SEEK_SET);
    filer.readUInt32(&version);
    const std::size_t headerSize = size();
    if (headerSize == 0)
        return Acad::eInvalidDwgVersion;
    if (fileSize < headerSize)
        return Acad::eEndOfFile;
    const std::size_t summed = headerSize - kChecksumSize;
    if (crc32(start, summed) != storedChecksum(start + summed))
        return Acad::eDwgCRCDoesNotMatch;
    filer.readUInt32(&classCount);
    filer.readUInt32(&objectCount);
    filer.readUInt64(&handseed);
    filer.readUInt64(&namedObjectsHandle);
    filer.readUInt64(&blockTableHandle);
    filer.readUInt64(&classTableSize);
    filer.readUInt64(&objectTableSize);
    variablesSize = 0;
    if (version != kFirstVersion)
        filer.readUInt64(&variablesSize);
    // The checksum vouches for the sizes, so a file that ends before its
    // sections do was cut short; one with bytes beyond them is no drawing.
    std::uint64_t rest = fileSize - headerSize;
    for (const std::uint64_t section : {variablesSize, classTableSize, objectTableSize})
    {
        if (section > rest)
            return Acad::eEndOfFile;
        rest -= section;
    }
    const bool variablesFit = version == kFirstVersion || variablesSize >= kChecksumSize;
    if (rest != 0 || !variablesFit || classTableSize < kChecksumSize || objectTableSize < kChecksumSize)
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
