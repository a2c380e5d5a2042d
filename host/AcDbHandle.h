// A database object's persistent 64-bit handle; 0 is the null handle.
#pragma once

#include "host/WinTypes.h"

class AcDbHandle
{
public:
    AcDbHandle() = default;
    AcDbHandle(Adesk::UInt32 low, Adesk::UInt32 high)
        : mValue((static_cast<Adesk::UInt64>(high) << 32) | low)
    {
    }
    AcDbHandle(Adesk::UInt64 value) : mValue(value) {}

    AcDbHandle& operator=(Adesk::UInt64 value)
    {
        mValue = value;
        return *this;
    }
    operator Adesk::UInt64() const { return mValue; }

    bool isNull() const { return mValue == 0; }
    void setNull() { mValue = 0; }
    Adesk::UInt32 low() const { return static_cast<Adesk::UInt32>(mValue); }
    Adesk::UInt32 high() const { return static_cast<Adesk::UInt32>(mValue >> 32); }

    // Upper-case hexadecimal without leading zeros, as the host shows handles.
    bool getIntoAsciiBuffer(ACHAR* buffer, size_t bufferLength) const;

    bool operator==(const AcDbHandle& o) const { return mValue == o.mValue; }
    bool operator!=(const AcDbHandle& o) const { return mValue != o.mValue; }
    bool operator<(const AcDbHandle& o) const { return mValue < o.mValue; }

private:
    Adesk::UInt64 mValue = 0;
};
