// CRC-32 (the reflected 0xEDB88320 polynomial of zip and PNG), which guards
// each section of a drawing file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cadhost
{
std::uint32_t crc32(const std::uint8_t* data, std::size_t size);
} // namespace cadhost
