#include "cadhost/Crc32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace
{
// The checksum computed the slow, obvious way, one bit at a time.
std::uint32_t bitByBit(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t c = 0xFFFFFFFFU;
    for (std::size_t i = 0; i < size; ++i)
    {
        c ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

TEST(ChecksumTest, AgreesWithTheBitwiseSumAtEveryLengthAlignmentAndSplit)
{
    const std::uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(cadhost::crc32(check, sizeof check), 0xCBF43926U);
    EXPECT_EQ(cadhost::crc32(nullptr, 0), 0U);

    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(4096 + 16);
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    for (std::size_t size = 0; size <= 300; ++size)
    {
        const std::uint8_t* data = bytes.data() + size % 13;
        const std::uint32_t expected = bitByBit(data, size);
        ASSERT_EQ(cadhost::crc32(data, size), expected) << size;
        const std::size_t split = size / 3;
        ASSERT_EQ(cadhost::crc32(data + split, size - split, cadhost::crc32(data, split)), expected)
            << size;
    }
    EXPECT_EQ(cadhost::crc32(bytes.data(), 4096), bitByBit(bytes.data(), 4096));
}
} // namespace
