// The platform's time value: signed 64-bit seconds since
// 1970-01-01 00:00:00 UTC.
#pragma once

#include "host/WinTypes.h"

#include <ctime>

class CTime
{
public:
    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    // Local broken-down time; null when the runtime cannot convert it.
    struct tm* GetLocalTm(struct tm* result) const;

    friend bool operator==(CTime a, CTime b) { return a.m_time == b.m_time; }
    friend bool operator!=(CTime a, CTime b) { return a.m_time != b.m_time; }
    friend bool operator<(CTime a, CTime b) { return a.m_time < b.m_time; }

private:
    __time64_t m_time = 0;
};
