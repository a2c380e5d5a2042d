// The host's growable array, as its geometry and database signatures pass
// points, numbers and curves in them.
#pragma once

#include "host/AcGePoint3d.h"

#include <vector>

template <class T> class AcArray
{
public:
    AcArray() = default;

    int length() const { return static_cast<int>(mItems.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return mItems.empty(); }
    AcArray& append(const T& value)
    {
        mItems.push_back(value);
        return *this;
    }
    AcArray& setLogicalLength(int length)
    {
        mItems.resize(static_cast<std::size_t>(length));
        return *this;
    }
    AcArray& removeAll()
    {
        mItems.clear();
        return *this;
    }
    T& operator[](int index) { return mItems[static_cast<std::size_t>(index)]; }
    const T& operator[](int index) const { return mItems[static_cast<std::size_t>(index)]; }
    const T& at(int index) const { return (*this)[index]; }
    const T* asArrayPtr() const { return mItems.data(); }

private:
    std::vector<T> mItems;
};

using AcGePoint2dArray = AcArray<AcGePoint2d>;
using AcGePoint3dArray = AcArray<AcGePoint3d>;
using AcGeDoubleArray = AcArray<double>;
using AcGeIntArray = AcArray<int>;
using AcGeVoidPointerArray = AcArray<void*>;
