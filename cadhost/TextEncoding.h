// Text as the host files and compares it. Wide characters here are 32-bit
// code points, while drawings and key order follow UTF-16 code units, so
// both directions of that translation live here.
#pragma once

#include "host/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cadhost
{
constexpr char16_t kReplacementCharacter = 0xFFFD;

// Calls sink(char16_t) for each UTF-16 unit of text. Characters that are no
// Unicode scalar value (lone surrogates, values past U+10FFFF) go out as
// U+FFFD, so that what is written is exactly what reads back.
template <class Sink>
void forEachUtf16Unit(std::wstring_view text, Sink&& sink)
{
    for (const wchar_t ch : text)
    {
        const auto cp = static_cast<std::uint32_t>(ch);
        if (cp >= 0x10000 && cp <= 0x10FFFF)
        {
            const std::uint32_t offset = cp - 0x10000;
            sink(static_cast<char16_t>(0xD800 + (offset >> 10)));
            sink(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
        }
        else if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            sink(kReplacementCharacter);
        else
            sink(static_cast<char16_t>(cp));
    }
}

std::size_t utf16Length(std::wstring_view text);

// A key that orders single code points as their UTF-16 forms order: the BMP
// characters from U+E000 up sort after every supplementary character, whose
// lead units are surrogates. Invalid values keep a place of their own.
std::uint64_t utf16Rank(wchar_t ch);

// Decodes count little-endian UTF-16 units at bytes into out, which has room
// for count characters; returns how many it wrote. Unpaired surrogates
// become U+FFFD.
std::size_t decodeUtf16LE(const std::uint8_t* bytes, std::size_t count, ACHAR* out);

// Strict order of texts by their UTF-16 code units, without encoding them.
struct Utf16Less
{
    bool operator()(std::wstring_view a, std::wstring_view b) const;
};
} // namespace cadhost
