// CRC-32 (the reflected 0xEDB88320 polynomial of zip and PNG), which guards
// each section of a drawing file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cadhost
{
// The checksum of data, or, given the checksum of the bytes before data, that
// of both together: a section may be summed in pieces as it is written or read.
std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t before = 0);
} // namespace cadhost
