// The platform's time value: signed 64-bit seconds since
// 1970-01-01 00:00:00 UTC.
#pragma once

#include "host/WinTypes.h"

#include <ctime>

class CTime
{
public:
    CTime() = default;
    CTime(__time64_t time) : mTime(time) {}

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return mTime; }
    // Local broken-down time; null when the runtime cannot convert it.
    struct tm* GetLocalTm(struct tm* result) const;

    friend bool operator==(CTime a, CTime b) { return a.mTime == b.mTime; }
    friend bool operator!=(CTime a, CTime b) { return a.mTime != b.mTime; }
    friend bool operator<(CTime a, CTime b) { return a.mTime < b.mTime; }

private:
    __time64_t mTime = 0;
};
