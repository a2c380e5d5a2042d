#include "cadhost/Utf8Text.h"

namespace cadhost
{
namespace
{
constexpr char32_t kReplacement = 0xFFFD;

bool isScalarValue(char32_t cp)
{
    return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (!isScalarValue(cp))
        cp = kReplacement;
    if (cp < 0x80)
    {
        out += static_cast<char>(cp);
        return;
    }
    const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    static const unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[extra] | (cp >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6)
        out += static_cast<char>(0x80 | ((cp >> shift) & 0x3F));
}

// Decodes one sequence starting at text[pos] and advances pos past it; a
// malformed sequence consumes one byte and yields the replacement.
char32_t decodeOne(const std::string& text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || pos + static_cast<std::size_t>(extra) > text.size())
        return kReplacement;
    char32_t cp = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i)
    {
        const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            return kReplacement;
        cp = (cp << 6) | (next & 0x3F);
    }
    static const char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || !isScalarValue(cp))
        return kReplacement;
    pos += static_cast<std::size_t>(extra);
    return cp;
}
} // namespace

std::string toUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t ch : text)
        appendUtf8(out, static_cast<char32_t>(ch));
    return out;
}

std::wstring fromUtf8(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        out += static_cast<wchar_t>(decodeOne(text, pos));
    return out;
}
} // namespace cadhost
