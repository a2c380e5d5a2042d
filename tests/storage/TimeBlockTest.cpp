#include "storage/TimeBlock.h"

#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

namespace
{
constexpr __time64_t kJuly4th = 1625402096; // 2021-07-04 12:34:56 UTC, a Sunday

SYSTEMTIME wallClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
}

bool sameClock(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay &&
           a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

// Zones are given as rules, so that they need no zone files.
TEST(TimeBlockTest, WritesTheLocalClockAndLeavesSummerTimeToTheRuntime)
{
    const ScopedEnvironment zone("TZ", "EST5EDT,M3.2.0,M11.1.0");
    const SYSTEMTIME written = EncodeTimeBlock(CTime(kJuly4th));
    EXPECT_TRUE(sameClock(written, wallClock(2021, 7, 4, 8, 34, 56)));
    EXPECT_EQ(written.wDayOfWeek, 0);
    EXPECT_EQ(written.wMilliseconds, 0);

    SYSTEMTIME odd = written;
    odd.wDayOfWeek = 77;
    odd.wMilliseconds = 999;
    CTime read;
    ASSERT_TRUE(DecodeTimeBlock(odd, read));
    EXPECT_EQ(read.GetTime(), kJuly4th);
}

TEST(TimeBlockTest, OldYearsReadAsTimeZeroAndBadFieldsAreRefused)
{
    const ScopedEnvironment zone("TZ", "UTC0");
    for (const WORD year : {WORD(0), WORD(1899)})
    {
        CTime time(12345);
        ASSERT_TRUE(DecodeTimeBlock(wallClock(year, 99, 99, 99, 99, 99), time));
        EXPECT_EQ(time.GetTime(), 0);
    }
    const SYSTEMTIME refused[] = {
        wallClock(2021, 0, 4, 8, 34, 56),  wallClock(2021, 13, 4, 8, 34, 56),
        wallClock(2021, 7, 0, 8, 34, 56),  wallClock(2021, 7, 32, 8, 34, 56),
        wallClock(2021, 7, 4, 24, 34, 56), wallClock(2021, 7, 4, 8, 60, 56),
        wallClock(2021, 7, 4, 8, 34, 60),  wallClock(1950, 7, 4, 8, 34, 56), // before the runtime's range
        wallClock(3500, 7, 4, 8, 34, 56),                                // past it
    };
    for (const SYSTEMTIME& block : refused)
    {
        CTime time(12345);
        EXPECT_FALSE(DecodeTimeBlock(block, time)) << block.wYear << "-" << block.wMonth;
        EXPECT_EQ(time.GetTime(), 12345);
    }
}

TEST(TimeBlockTest, TimesWithoutALocalClockAreWrittenAsZerosThatReadAsTimeZero)
{
    const ScopedEnvironment zone("TZ", "UTC0");
    for (const __time64_t t : {__time64_t(-1), __time64_t(40000000000)})
    {
        const SYSTEMTIME written = EncodeTimeBlock(CTime(t));
        EXPECT_TRUE(sameClock(written, wallClock(0, 0, 0, 0, 0, 0)));
        CTime read(12345);
        ASSERT_TRUE(DecodeTimeBlock(written, read));
        EXPECT_EQ(read.GetTime(), 0);
    }
}
} // namespace
