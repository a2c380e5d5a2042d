#include "cadhost/Crc32.h"

#include <array>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace cadhost
{
namespace
{
std::array<std::uint32_t, 256> makeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < table.size(); ++n)
    {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

// The sum register carried over bytes, one at a time: without the inversions
// at the start and the end that the checksum adds.
std::uint32_t sumBytes(const std::uint8_t* data, std::size_t size, std::uint32_t c)
{
    static const std::array<std::uint32_t, 256> kTable = makeTable();
    for (std::size_t i = 0; i < size; ++i)
        c = kTable[(c ^ data[i]) & 0xFFU] ^ (c >> 8);
    return c;
}

#if defined(__x86_64__)
// Drawing files run to many megabytes and are summed whole at every save and
// every open, so where the processor multiplies polynomials without carries,
// 64 bytes at a time are folded into four 128-bit remainders. Folding a
// remainder over n bits multiplies its two halves by x^(n+32) and x^(n-32)
// modulo the polynomial (bit-reflected, as the checksum runs); the remainder
// left at the end sums like the 16 bytes it is made of.
constexpr long long kFold512Low = 0x154442bd4;  // x^544
constexpr long long kFold512High = 0x1c6e41596; // x^480
constexpr long long kFold128Low = 0x1751997d0;  // x^160
constexpr long long kFold128High = 0x0ccaa009e; // x^96
constexpr std::size_t kBlock = 16;

[[gnu::target("pclmul,sse4.1")]] inline __m128i fold(__m128i remainder, __m128i factors, __m128i next)
{
    const __m128i low = _mm_clmulepi64_si128(remainder, factors, 0x00);
    const __m128i high = _mm_clmulepi64_si128(remainder, factors, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

[[gnu::target("pclmul,sse4.1")]] inline __m128i blockAt(const std::uint8_t* data)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

// Sums all but the last few bytes (fewer than 16) of at least 64 bytes; data
// and size are moved past what was summed.
[[gnu::target("pclmul,sse4.1")]] std::uint32_t sumByFolding(const std::uint8_t*& data,
                                                           std::size_t& size, std::uint32_t c)
{
    const __m128i by512 = _mm_set_epi64x(kFold512High, kFold512Low);
    const __m128i by128 = _mm_set_epi64x(kFold128High, kFold128Low);
    __m128i lanes[4];
    for (std::size_t i = 0; i < 4; ++i)
        lanes[i] = blockAt(data + kBlock * i);
    lanes[0] = _mm_xor_si128(lanes[0], _mm_cvtsi32_si128(static_cast<int>(c)));
    for (data += 4 * kBlock, size -= 4 * kBlock; size >= 4 * kBlock; data += 4 * kBlock, size -= 4 * kBlock)
        for (std::size_t i = 0; i < 4; ++i)
            lanes[i] = fold(lanes[i], by512, blockAt(data + kBlock * i));
    __m128i remainder = fold(fold(fold(lanes[0], by128, lanes[1]), by128, lanes[2]), by128, lanes[3]);
    for (; size >= kBlock; data += kBlock, size -= kBlock)
        remainder = fold(remainder, by128, blockAt(data));
    std::uint8_t left[kBlock];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(left), remainder);
    return sumBytes(left, kBlock, 0);
}

bool canFold()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
}
#endif
} // namespace

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t before)
{
    std::uint32_t c = ~before;
#if defined(__x86_64__)
    static const bool kFolds = canFold();
    if (kFolds && size >= 4 * kBlock)
        c = sumByFolding(data, size, c);
#endif
    return ~sumBytes(data, size, c);
}
} // namespace cadhost
