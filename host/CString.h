// The platform's wide text value (the Unicode build of the class library's
// string). Only what callers of the module use is offered; the semantics are
// the original's: Format takes printf-style formats in which %s and %c mean
// wide text and a wide character, comparisons are ordinal on code units.
#pragma once

#include "host/WinTypes.h"

#include <string>

class CString
{
public:
    CString() = default;
    CString(const wchar_t* text);
    CString(const wchar_t* text, int length);
    CString(const std::wstring& text);
    CString(wchar_t ch, int repeat = 1);

    int GetLength() const;
    bool IsEmpty() const;
    void Empty();
    wchar_t GetAt(int index) const;
    wchar_t operator[](int index) const;
    operator const wchar_t*() const;
    const wchar_t* GetString() const;

    int Compare(const wchar_t* other) const;
    int CompareNoCase(const wchar_t* other) const;

    CString& operator=(const wchar_t* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* other);
    CString& operator+=(wchar_t ch);

    void Format(const wchar_t* format, ...);
    void AppendFormat(const wchar_t* format, ...);

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    void MakeUpper();
    void MakeLower();

    const std::wstring& str() const { return mText; }

    friend bool operator==(const CString& a, const CString& b) { return a.mText == b.mText; }
    friend bool operator!=(const CString& a, const CString& b) { return a.mText != b.mText; }
    friend bool operator==(const CString& a, const wchar_t* b);
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.mText < b.mText; }
    friend CString operator+(const CString& a, const CString& b);

private:
    std::wstring mText;
};
