#include "storage/TimeBlock.h"

#include "host/CrtTime.h"

namespace
{
WORD word(int field)
{
    return static_cast<WORD>(field);
}

bool inRange(WORD value, WORD low, WORD high)
{
    return value >= low && value <= high;
}

bool fieldsInRange(const SYSTEMTIME& block)
{
    return inRange(block.wMonth, 1, 12) && inRange(block.wDay, 1, 31) &&
           inRange(block.wHour, 0, 23) && inRange(block.wMinute, 0, 59) &&
           inRange(block.wSecond, 0, 59);
}
} // namespace

SYSTEMTIME EncodeTimeBlock(CTime time)
{
    SYSTEMTIME block{};
    const __time64_t seconds = time.GetTime();
    struct tm local;
    if (_localtime64_s(&local, &seconds) != 0)
        return block;
    block.wYear = word(local.tm_year + 1900);
    block.wMonth = word(local.tm_mon + 1);
    block.wDayOfWeek = word(local.tm_wday);
    block.wDay = word(local.tm_mday);
    block.wHour = word(local.tm_hour);
    block.wMinute = word(local.tm_min);
    block.wSecond = word(local.tm_sec);
    return block;
}

bool DecodeTimeBlock(const SYSTEMTIME& block, CTime& time)
{
    if (block.wYear < 1900)
    {
        time = CTime(0);
        return true;
    }
    if (!fieldsInRange(block))
        return false;
    struct tm local = {};
    local.tm_sec = block.wSecond;
    local.tm_min = block.wMinute;
    local.tm_hour = block.wHour;
    local.tm_mday = block.wDay;
    local.tm_mon = block.wMonth - 1;
    local.tm_year = block.wYear - 1900;
    // Let the runtime decide whether summer time applies on that date.
    local.tm_isdst = -1;
    const __time64_t seconds = _mktime64(&local);
    if (seconds == -1)
        return false;
    time = CTime(seconds);
    return true;
}
