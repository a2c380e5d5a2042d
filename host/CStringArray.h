// The platform's growable array of wide texts.
#pragma once

#include "host/CString.h"

#include <vector>

class CStringArray
{
public:
    CStringArray() = default;

    int GetSize() const;
    int GetCount() const;
    int GetUpperBound() const;
    bool IsEmpty() const;
    void RemoveAll();
    int Add(const CString& text);
    const CString& GetAt(int index) const;
    void SetAt(int index, const CString& text);
    void RemoveAt(int index, int count = 1);
    CString& operator[](int index);
    const CString& operator[](int index) const;

private:
    std::vector<CString> mItems;
};
