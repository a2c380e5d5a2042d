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

// Where the header keeps the two table sizes and its own checksum.
constexpr std::size_t kClassTableSizeAt = 44;
constexpr std::size_t kObjectTableSizeAt = 52;

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
    if (file.size() < DrawingFileHeader::kSize)
        return;
    const std::uint64_t rest = file.size() - DrawingFileHeader::kSize;
    std::uint64_t classTableSize = 0;
    std::memcpy(&classTableSize, file.data() + kClassTableSizeAt, sizeof classTableSize);
    if (classTableSize < kChecksumSize || rest - classTableSize < kChecksumSize ||
        classTableSize > rest)
        return;
    const std::uint64_t objectTableSize = rest - classTableSize;
    std::memcpy(file.data() + kObjectTableSizeAt, &objectTableSize, sizeof objectTableSize);
    const auto objectTableStart = static_cast<std::size_t>(DrawingFileHeader::kSize + classTableSize);
    sealSection(file, DrawingFileHeader::kSize, objectTableStart);
    sealSection(file, objectTableStart, file.size());
    sealSection(file, 0, DrawingFileHeader::kSize);
}
} // namespace fuzz
