#include "cadhost/HostTextFormat.h"

#include <cerrno>
#include <cwchar>
#include <vector>

namespace cadhost
{
namespace
{
bool startsWith(const ACHAR* text, const ACHAR* prefix)
{
    return std::wcsncmp(text, prefix, std::wcslen(prefix)) == 0;
}

// Moves cursor past a length modifier and returns it in this runtime's
// spelling ("" when there is none).
std::wstring takeLengthModifier(const ACHAR*& cursor)
{
    static const struct
    {
        const ACHAR* host;
        const ACHAR* runtime;
    } kHostOnly[] = {{L"I64", L"ll"}, {L"I32", L""}, {L"I", L"z"}, {L"w", L"l"}};
    for (const auto& prefix : kHostOnly)
    {
        if (startsWith(cursor, prefix.host))
        {
            cursor += std::wcslen(prefix.host);
            return prefix.runtime;
        }
    }
    std::wstring modifier;
    while (*cursor != L'\0' && std::wcschr(L"hlLjzt", *cursor) != nullptr)
        modifier += *cursor++;
    return modifier;
}

// A text or character conversion, spelt so that this runtime reads the
// width the host means.
std::wstring textConversion(const std::wstring& modifier, ACHAR conversion)
{
    const bool upper = conversion == L'S' || conversion == L'C';
    const bool narrow = modifier == L"h" || (upper && modifier != L"l");
    const ACHAR lower = upper ? (conversion == L'S' ? L's' : L'c') : conversion;
    return narrow ? std::wstring(1, lower) : std::wstring(L"l") + lower;
}

std::wstring runtimeFormat(const ACHAR* format)
{
    std::wstring out;
    const ACHAR* p = format;
    while (*p != L'\0')
    {
        const ACHAR ch = *p++;
        out += ch;
        if (ch != L'%')
            continue;
        if (*p == L'%')
        {
            out += *p++;
            continue;
        }
        while (*p != L'\0' && std::wcschr(L"-+ #0123456789.*'$", *p) != nullptr)
            out += *p++;
        const std::wstring modifier = takeLengthModifier(p);
        if (*p == L'\0')
            break;
        const ACHAR conversion = *p++;
        if (std::wcschr(L"sScC", conversion) != nullptr)
            out += textConversion(modifier, conversion);
        else
            out += modifier + conversion;
    }
    return out;
}
} // namespace

bool formatHostText(std::wstring& out, const ACHAR* format, va_list args)
{
    if (format == nullptr)
        return false;
    const std::wstring runtime = runtimeFormat(format);
    // The runtime tells a full buffer from bad input only by errno.
    constexpr std::size_t kMaxLength = std::size_t{1} << 26;
    for (std::vector<ACHAR> buffer(256 + runtime.size()); buffer.size() <= kMaxLength;
         buffer.resize(buffer.size() * 2))
    {
        va_list attempt;
        va_copy(attempt, args);
        errno = 0;
        const int written = std::vswprintf(buffer.data(), buffer.size(), runtime.c_str(), attempt);
        va_end(attempt);
        if (written >= 0)
        {
            out.append(buffer.data(), static_cast<std::size_t>(written));
            return true;
        }
        if (errno != 0)
            return false;
    }
    return false;
}
} // namespace cadhost
