#include "host/CString.h"

#include "cadhost/HostTextFormat.h"
#include "cadhost/NameComparison.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace
{
const wchar_t* orEmpty(const wchar_t* text)
{
    return text != nullptr ? text : L"";
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}
} // namespace

CString::CString(const wchar_t* text) : mText(orEmpty(text)) {}

CString::CString(const wchar_t* text, int length)
{
    if (text != nullptr && length > 0)
        mText.assign(text, static_cast<std::size_t>(length));
}

CString::CString(const std::wstring& text) : mText(text) {}

CString::CString(wchar_t ch, int repeat)
{
    if (repeat > 0)
        mText.assign(static_cast<std::size_t>(repeat), ch);
}

int CString::GetLength() const
{
    return static_cast<int>(mText.size());
}

bool CString::IsEmpty() const
{
    return mText.empty();
}

void CString::Empty()
{
    mText.clear();
}

// Like the platform, an index outside the text is refused by an exception.
wchar_t CString::GetAt(int index) const
{
    return mText.at(static_cast<std::size_t>(index));
}

wchar_t CString::operator[](int index) const
{
    return GetAt(index);
}

CString::operator const wchar_t*() const
{
    return mText.c_str();
}

const wchar_t* CString::GetString() const
{
    return mText.c_str();
}

int CString::Compare(const wchar_t* other) const
{
    return sign(mText.compare(orEmpty(other)));
}

int CString::CompareNoCase(const wchar_t* other) const
{
    return cadhost::compareNoCase(mText, orEmpty(other));
}

CString& CString::operator=(const wchar_t* text)
{
    mText = orEmpty(text);
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    mText += other.mText;
    return *this;
}

CString& CString::operator+=(const wchar_t* other)
{
    mText += orEmpty(other);
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    mText += ch;
    return *this;
}

void CString::Format(const wchar_t* format, ...)
{
    std::wstring result;
    va_list args;
    va_start(args, format);
    cadhost::formatHostText(result, format, args);
    va_end(args);
    mText.swap(result);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    std::wstring appended;
    va_list args;
    va_start(args, format);
    if (cadhost::formatHostText(appended, format, args))
        mText += appended;
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
    return CString(mText.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(n)));
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
    return findIn(mText, ch, start);
}

int CString::Find(const wchar_t* sub, int start) const
{
    return findIn(mText, orEmpty(sub), start);
}

void CString::MakeUpper()
{
    for (wchar_t& ch : mText)
        ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
}

void CString::MakeLower()
{
    for (wchar_t& ch : mText)
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
