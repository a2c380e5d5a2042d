#include "host/CString.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace
{
// The platform reads %s and %c in a wide format as wide text and a wide
// character, and %S/%C or an h modifier as narrow ones; this runtime reads
// an unmodified %s and %c as narrow. Spell every text conversion explicitly
// so both agree, and map the platform's I64/I32 size prefixes.
const wchar_t* const kFlagsAndWidth = L"-+ #0'123456789.*$";

// Reads the length modifier at p, advancing past it, and returns it in this
// runtime's spelling.
std::wstring takeLengthModifier(const wchar_t*& p)
{
    static const struct
    {
        const wchar_t* platform;
        const wchar_t* runtime;
    } kSizePrefixes[] = {{L"I64", L"ll"}, {L"I32", L""}, {L"I", L"z"}, {L"w", L"l"}};
    for (const auto& prefix : kSizePrefixes)
    {
        const std::size_t n = std::wcslen(prefix.platform);
        if (std::wcsncmp(p, prefix.platform, n) == 0)
        {
            p += n;
            return prefix.runtime;
        }
    }
    std::wstring modifier;
    while (*p != L'\0' && std::wcschr(L"hlLqjzt", *p) != nullptr)
        modifier += *p++;
    return modifier;
}

std::wstring textConversion(const std::wstring& modifier, wchar_t conversion)
{
    const bool upper = conversion == L'S' || conversion == L'C';
    const wchar_t lower = upper ? static_cast<wchar_t>(conversion - L'A' + L'a') : conversion;
    const bool wide = modifier == L"l" || (modifier.empty() && !upper);
    return (wide ? std::wstring(L"l") : std::wstring()) + lower;
}

std::wstring translateFormat(const wchar_t* format)
{
    std::wstring out;
    for (const wchar_t* p = format; *p != L'\0';)
    {
        out += *p;
        if (*p++ != L'%')
            continue;
        if (*p == L'%')
        {
            out += *p++;
            continue;
        }
        while (*p != L'\0' && std::wcschr(kFlagsAndWidth, *p) != nullptr)
            out += *p++;
        const std::wstring modifier = takeLengthModifier(p);
        if (*p == L'\0')
            break;
        if (std::wcschr(L"sScC", *p) != nullptr)
            out += textConversion(modifier, *p++);
        else
            out += modifier + *p++;
    }
    return out;
}

// Formats without a fixed limit: the buffer grows until the text fits. An
// encoding error (errno set) or absurd growth gives false.
bool formatInto(std::wstring& out, const wchar_t* format, va_list args)
{
    if (format == nullptr)
        return false;
    const std::wstring translated = translateFormat(format);
    constexpr std::size_t kLimit = std::size_t{1} << 28;
    std::vector<wchar_t> buffer(256 + 2 * translated.size());
    while (buffer.size() <= kLimit)
    {
        va_list copy;
        va_copy(copy, args);
        errno = 0;
        const int written = std::vswprintf(buffer.data(), buffer.size(), translated.c_str(), copy);
        va_end(copy);
        if (written >= 0)
        {
            out.append(buffer.data(), static_cast<std::size_t>(written));
            return true;
        }
        if (errno != 0)
            return false;
        buffer.resize(buffer.size() * 2);
    }
    return false;
}

const wchar_t* orEmpty(const wchar_t* text)
{
    return text != nullptr ? text : L"";
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}
} // namespace

CString::CString(const wchar_t* text) : m_text(orEmpty(text)) {}

CString::CString(const wchar_t* text, int length)
{
    if (text != nullptr && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

CString::CString(const std::wstring& text) : m_text(text) {}

CString::CString(wchar_t ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<std::size_t>(repeat), ch);
}

int CString::GetLength() const
{
    return static_cast<int>(m_text.size());
}

bool CString::IsEmpty() const
{
    return m_text.empty();
}

void CString::Empty()
{
    m_text.clear();
}

// Like the platform, an index outside the text is refused by an exception.
wchar_t CString::GetAt(int index) const
{
    return m_text.at(static_cast<std::size_t>(index));
}

wchar_t CString::operator[](int index) const
{
    return GetAt(index);
}

CString::operator const wchar_t*() const
{
    return m_text.c_str();
}

const wchar_t* CString::GetString() const
{
    return m_text.c_str();
}

int CString::Compare(const wchar_t* other) const
{
    return sign(m_text.compare(orEmpty(other)));
}

int CString::CompareNoCase(const wchar_t* other) const
{
    const std::wstring rhs = orEmpty(other);
    const std::size_t common = std::min(m_text.size(), rhs.size());
    for (std::size_t i = 0; i < common; ++i)
    {
        const auto a = std::towlower(static_cast<wint_t>(m_text[i]));
        const auto b = std::towlower(static_cast<wint_t>(rhs[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return m_text.size() == rhs.size() ? 0 : m_text.size() < rhs.size() ? -1 : 1;
}

CString& CString::operator=(const wchar_t* text)
{
    m_text = orEmpty(text);
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const wchar_t* other)
{
    m_text += orEmpty(other);
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_text += ch;
    return *this;
}

void CString::Format(const wchar_t* format, ...)
{
    std::wstring result;
    va_list args;
    va_start(args, format);
    formatInto(result, format, args);
    va_end(args);
    m_text.swap(result);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    std::wstring appended;
    va_list args;
    va_start(args, format);
    if (formatInto(appended, format, args))
        m_text += appended;
    va_end(args);
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

// Out-of-range arguments are clamped to the text, as the platform does.
CString CString::Mid(int first, int count) const
{
    const int start = std::min(std::max(first, 0), GetLength());
    const int n = std::min(std::max(count, 0), GetLength() - start);
    return CString(m_text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(n)));
}

namespace
{
template <typename What>
int findIn(const std::wstring& text, What what, int start)
{
    if (start < 0 || start > static_cast<int>(text.size()))
        return -1;
    const std::size_t at = text.find(what, static_cast<std::size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}
} // namespace

int CString::Find(wchar_t ch, int start) const
{
    return findIn(m_text, ch, start);
}

int CString::Find(const wchar_t* sub, int start) const
{
    return findIn(m_text, orEmpty(sub), start);
}

void CString::MakeUpper()
{
    for (wchar_t& ch : m_text)
        ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
}

void CString::MakeLower()
{
    for (wchar_t& ch : m_text)
        ch = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
}

bool operator==(const CString& a, const wchar_t* b)
{
    return a.str() == orEmpty(b);
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}
