// A database object's persistent 64-bit handle; 0 is the null handle.
#pragma once

#include "host/WinTypes.h"

class AcDbHandle
{
public:
    AcDbHandle() = default;
    AcDbHandle(Adesk::UInt32 low, Adesk::UInt32 high)
        : m_value((static_cast<Adesk::UInt64>(high) << 32) | low)
    {
    }
    AcDbHandle(Adesk::UInt64 value) : m_value(value) {}

    AcDbHandle& operator=(Adesk::UInt64 value)
    {
        m_value = value;
        return *this;
    }
    operator Adesk::UInt64() const { return m_value; }

    bool isNull() const { return m_value == 0; }
    void setNull() { m_value = 0; }
    Adesk::UInt32 low() const { return static_cast<Adesk::UInt32>(m_value); }
    Adesk::UInt32 high() const { return static_cast<Adesk::UInt32>(m_value >> 32); }

    // Upper-case hexadecimal without leading zeros, as the host shows handles.
    bool getIntoAsciiBuffer(ACHAR* buffer, size_t bufferLength) const;

    bool operator==(const AcDbHandle& o) const { return m_value == o.m_value; }
    bool operator!=(const AcDbHandle& o) const { return m_value != o.m_value; }
    bool operator<(const AcDbHandle& o) const { return m_value < o.m_value; }

private:
    Adesk::UInt64 m_value = 0;
};
