// The 16-byte broken-down time block of the platform: eight little-endian
// 16-bit words. Records that carry a wall-clock time file exactly these bytes.
#pragma once

#include "host/WinTypes.h"

struct SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

static_assert(sizeof(SYSTEMTIME) == 16, "the time block is filed as exactly 16 bytes");
