#include "cadhost/Utf8Text.h"

namespace cadhost
{
namespace
{
char32_t scalarOrReplacement(wchar_t unit)
{
    const auto cp = static_cast<char32_t>(unit);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return cp > 0x10FFFF || surrogate ? char32_t{0xFFFD} : cp;
}

char byte(char32_t bits)
{
    return static_cast<char>(static_cast<unsigned char>(bits));
}
} // namespace

std::string toUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (const wchar_t unit : text)
    {
        const char32_t cp = scalarOrReplacement(unit);
        if (cp < 0x80)
        {
            out += byte(cp);
            continue;
        }
        const int trailing = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
        const char32_t leadMarks[] = {0, 0xC0, 0xE0, 0xF0};
        out += byte(leadMarks[trailing] | (cp >> (6 * trailing)));
        for (int shift = 6 * (trailing - 1); shift >= 0; shift -= 6)
            out += byte(0x80 | ((cp >> shift) & 0x3F));
    }
    return out;
}
} // namespace cadhost
