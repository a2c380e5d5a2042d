#include "exchange/DxfTextCodec.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace
{
void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80)
        out += static_cast<char>(code);
    else if (code < 0x800)
    {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else if (code < 0x10000)
    {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The code point of the UTF-8 sequence at text[at], and its length; 0 for a
// byte that starts none.
std::size_t DecodeUtf8(std::string_view text, std::size_t at, std::uint32_t& code)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = byte < 0x80 ? 1 : (byte >> 5) == 6 ? 2 : (byte >> 4) == 14 ? 3 : (byte >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    code = length == 1 ? byte : byte & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
    {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (next & 0x3F);
    }
    return length;
}

bool IsUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();)
    {
        std::uint32_t code = 0;
        const std::size_t length = DecodeUtf8(text, at, code);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

// Windows-1252's 0x80 to 0x9F; the rest of its upper half is Latin-1.
constexpr std::array<std::uint16_t, 32> kWindows1252 = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// Four hexadecimal digits.
bool HexUnit(std::string_view digits, std::uint32_t& unit)
{
    unit = 0;
    for (const char c : digits)
    {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0)
            return false;
        unit = unit << 4 | static_cast<std::uint32_t>(digit);
    }
    return digits.size() == 4;
}
} // namespace

std::string TextFromDxf(std::string_view text, bool utf8File)
{
    const bool asUtf8 = utf8File || IsUtf8(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at)
    {
        // \U+XXXX: four hexadecimal digits of a UTF-16 code unit.
        if (text.compare(at, 3, "\\U+") == 0 && at + 7 <= text.size())
        {
            std::uint32_t unit = 0;
            // \U+0000 is no character: it stays as written.
            if (HexUnit(text.substr(at + 3, 4), unit) && unit != 0)
            {
                std::uint32_t low = 0;
                const bool pair = unit >= 0xD800 && unit < 0xDC00 && text.compare(at + 7, 3, "\\U+") == 0 &&
                                  at + 14 <= text.size() && HexUnit(text.substr(at + 10, 4), low) && low >= 0xDC00 &&
                                  low < 0xE000;
                AppendUtf8(out, pair ? 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00) : unit);
                at += pair ? 13 : 6;
                continue;
            }
        }
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80 || asUtf8)
            out += text[at];
        else
            AppendUtf8(out, byte < 0xA0 ? kWindows1252[byte - 0x80] : byte);
    }
    return out;
}

std::string TextToDxf(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();)
    {
        std::uint32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8, at, code);
        if (length == 1)
        {
            out += utf8[at++];
            continue;
        }
        if (length == 0)
        {
            code = 0xFFFD;
            ++at;
        }
        else
            at += length;
        char buffer[32];
        if (code >= 0x10000)
        {
            code -= 0x10000;
            std::snprintf(buffer, sizeof buffer, "\\U+%04X\\U+%04X", 0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF));
        }
        else
            std::snprintf(buffer, sizeof buffer, "\\U+%04X", code);
        out += buffer;
    }
    return out;
}
