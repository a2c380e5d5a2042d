#include "fuzz/DrawingFileSeal.h"

#include "cadhost/Crc32.h"
#include "cadhost/DrawingFileHeader.h"

#include <algorithm>
#include <cstring>

namespace fuzz
{
namespace
{
using cadhost::DrawingFileHeader;
using cadhost::kChecksumSize;

// Where the header keeps its version, the two table sizes and the size of
// the header variables.
constexpr std::size_t kVersionAt = 8;
constexpr std::size_t kClassTableSizeAt = 44;
constexpr std::size_t kObjectTableSizeAt = 52;
constexpr std::size_t kVariablesSizeAt = 60;

// Sums [start, end - 4) into the last four bytes of the range.
void sealSection(std::vector<std::uint8_t>& file, std::size_t start, std::size_t end)
{
    const std::size_t checksumAt = end - kChecksumSize;
    const auto bytes = cadhost::checksumBytes(cadhost::crc32(file.data() + start, checksumAt - start));
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(checksumAt));
}
} // namespace

void sealDrawingFile(std::vector<std::uint8_t>& file)
{
    if (file.size() < kVersionAt + 4)
        return;
    std::uint32_t version = 0;
    std::memcpy(&version, file.data() + kVersionAt, sizeof version);
    const std::size_t headerSize = DrawingFileHeader::sizeOf(version);
    if (headerSize == 0 || file.size() < headerSize)
        return;
    std::uint64_t rest = file.size() - headerSize;
    std::uint64_t variablesSize = 0;
    if (version != DrawingFileHeader::kFirstVersion)
        std::memcpy(&variablesSize, file.data() + kVariablesSizeAt, sizeof variablesSize);
    if (version != DrawingFileHeader::kFirstVersion && (variablesSize < kChecksumSize || variablesSize > rest))
        return;
    rest -= variablesSize;
    std::uint64_t classTableSize = 0;
    std::memcpy(&classTableSize, file.data() + kClassTableSizeAt, sizeof classTableSize);
    if (classTableSize < kChecksumSize || classTableSize > rest || rest - classTableSize < kChecksumSize)
        return;
    const std::uint64_t objectTableSize = rest - classTableSize;
    std::memcpy(file.data() + kObjectTableSizeAt, &objectTableSize, sizeof objectTableSize);
    const auto classTableStart = static_cast<std::size_t>(headerSize + variablesSize);
    const auto objectTableStart = static_cast<std::size_t>(classTableStart + classTableSize);
    if (variablesSize > 0)
        sealSection(file, headerSize, classTableStart);
    sealSection(file, classTableStart, objectTableStart);
    sealSection(file, objectTableStart, file.size());
    sealSection(file, 0, headerSize);
}
} // namespace fuzz
