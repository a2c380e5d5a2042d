#include "host/CStringArray.h"

#include <stdexcept>

// Indices outside the array are refused by an exception, as the platform's
// collection classes do; the module never relies on that.
namespace
{
std::size_t checkedIndex(int index, std::size_t size)
{
    if (index < 0 || static_cast<std::size_t>(index) >= size)
        throw std::out_of_range("CStringArray index out of range");
    return static_cast<std::size_t>(index);
}
} // namespace

int CStringArray::GetSize() const
{
    return static_cast<int>(mItems.size());
}

int CStringArray::GetCount() const
{
    return GetSize();
}

int CStringArray::GetUpperBound() const
{
    return GetSize() - 1;
}

bool CStringArray::IsEmpty() const
{
    return mItems.empty();
}

void CStringArray::RemoveAll()
{
    mItems.clear();
}

int CStringArray::Add(const CString& text)
{
    mItems.push_back(text);
    return GetUpperBound();
}

const CString& CStringArray::GetAt(int index) const
{
    return mItems[checkedIndex(index, mItems.size())];
}

void CStringArray::SetAt(int index, const CString& text)
{
    mItems[checkedIndex(index, mItems.size())] = text;
}

void CStringArray::RemoveAt(int index, int count)
{
    if (count < 0)
        throw std::out_of_range("CStringArray count out of range");
    const std::size_t first = checkedIndex(index, mItems.size() + 1);
    if (first + static_cast<std::size_t>(count) > mItems.size())
        throw std::out_of_range("CStringArray range out of range");
    const auto begin = mItems.begin() + static_cast<std::ptrdiff_t>(first);
    mItems.erase(begin, begin + count);
}

CString& CStringArray::operator[](int index)
{
    return mItems[checkedIndex(index, mItems.size())];
}

const CString& CStringArray::operator[](int index) const
{
    return GetAt(index);
}
