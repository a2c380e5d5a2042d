#include "cadhost/TextEncoding.h"

#include <algorithm>

namespace cadhost
{
namespace
{
bool isHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::uint32_t unitAt(const std::uint8_t* bytes, std::size_t index)
{
    return static_cast<std::uint32_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

} // namespace

std::uint64_t utf16Rank(wchar_t ch)
{
    const auto cp = static_cast<std::uint32_t>(ch);
    if (cp >= 0xE000 && cp <= 0xFFFF)
        return 0x110000ULL + (cp - 0xE000);
    if (cp > 0x10FFFF)
        return 0x120000ULL + cp;
    return cp;
}

std::size_t utf16Length(std::wstring_view text)
{
    std::size_t units = 0;
    forEachUtf16Unit(text, [&units](char16_t) { ++units; });
    return units;
}

std::size_t decodeUtf16LE(const std::uint8_t* bytes, std::size_t count, ACHAR* out)
{
    std::size_t written = 0;
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::uint32_t unit = unitAt(bytes, i);
        std::uint32_t cp = unit;
        if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(unitAt(bytes, i + 1)))
            cp = 0x10000 + ((unit - 0xD800) << 10) + (unitAt(bytes, ++i) - 0xDC00);
        else if (isHighSurrogate(unit) || isLowSurrogate(unit))
            cp = kReplacementCharacter;
        out[written++] = static_cast<ACHAR>(cp);
    }
    return written;
}

bool Utf16Less::operator()(std::wstring_view a, std::wstring_view b) const
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return utf16Rank(x) < utf16Rank(y); });
}
} // namespace cadhost
