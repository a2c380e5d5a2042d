#include "storage/TimeBlock.h"

#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

namespace
{
// Zones given as rules, so that they do not depend on the machine's zone
// files. New York keeps summer time in July; Tokyo has none.
const char* const kNewYork = "EST5EDT,M3.2.0,M11.1.0";
const char* const kTokyo = "JST-9";

// 2021-07-04 12:34:56 UTC, a Sunday.
constexpr __time64_t kJuly4th = 1625402096;

SYSTEMTIME block(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
}

void expectClock(const SYSTEMTIME& b, WORD year, WORD month, WORD day, WORD hour, WORD minute,
                 WORD second)
{
    EXPECT_EQ(b.wYear, year);
    EXPECT_EQ(b.wMonth, month);
    EXPECT_EQ(b.wDay, day);
    EXPECT_EQ(b.wHour, hour);
    EXPECT_EQ(b.wMinute, minute);
    EXPECT_EQ(b.wSecond, second);
}

TEST(TimeBlockTest, KeepsTheWallClockAcrossTimeZones)
{
    SYSTEMTIME written;
    {
        const ScopedEnvironment zone("TZ", kNewYork);
        written = EncodeTimeBlock(CTime(kJuly4th));
        expectClock(written, 2021, 7, 4, 8, 34, 56);
        EXPECT_EQ(written.wDayOfWeek, 0);
        EXPECT_EQ(written.wMilliseconds, 0);

        // Summer time is the runtime's to decide: the same clock comes back
        // as the same instant.
        CTime back;
        ASSERT_TRUE(DecodeTimeBlock(written, back));
        EXPECT_EQ(back.GetTime(), kJuly4th);
    }
    const ScopedEnvironment zone("TZ", kTokyo);
    CTime read;
    ASSERT_TRUE(DecodeTimeBlock(written, read));
    EXPECT_EQ(read.GetTime(), kJuly4th - 13 * 3600);
    expectClock(EncodeTimeBlock(read), 2021, 7, 4, 8, 34, 56);
}

TEST(TimeBlockTest, OldYearsReadAsTimeZeroWhateverElseTheBlockHolds)
{
    const ScopedEnvironment zone("TZ", kTokyo);
    for (const WORD year : {WORD(0), WORD(1899)})
    {
        CTime time(12345);
        ASSERT_TRUE(DecodeTimeBlock(block(year, 99, 99, 99, 99, 99), time)) << year;
        EXPECT_EQ(time.GetTime(), 0) << year;
    }
}

TEST(TimeBlockTest, IgnoresDayOfWeekAndMilliseconds)
{
    const ScopedEnvironment zone("TZ", kNewYork);
    SYSTEMTIME odd = block(2021, 7, 4, 8, 34, 56);
    odd.wDayOfWeek = 77;
    odd.wMilliseconds = 999;
    CTime time;
    ASSERT_TRUE(DecodeTimeBlock(odd, time));
    EXPECT_EQ(time.GetTime(), kJuly4th);
}

TEST(TimeBlockTest, RefusesFieldsOutOfRangeAndClocksTheRuntimeCannotConvert)
{
    const ScopedEnvironment zone("TZ", kNewYork);
    const SYSTEMTIME refused[] = {
        block(2021, 0, 4, 8, 34, 56),  block(2021, 13, 4, 8, 34, 56),
        block(2021, 7, 0, 8, 34, 56),  block(2021, 7, 32, 8, 34, 56),
        block(2021, 7, 4, 24, 34, 56), block(2021, 7, 4, 8, 60, 56),
        block(2021, 7, 4, 8, 34, 60),  block(1950, 7, 4, 8, 34, 56),
        block(3500, 7, 4, 8, 34, 56),
    };
    for (const SYSTEMTIME& b : refused)
    {
        CTime time(12345);
        EXPECT_FALSE(DecodeTimeBlock(b, time)) << b.wYear << "-" << b.wMonth << "-" << b.wDay
                                                << " " << b.wHour << ":" << b.wMinute << ":"
                                                << b.wSecond;
        EXPECT_EQ(time.GetTime(), 12345);
    }
}

TEST(TimeBlockTest, TimesWithoutALocalClockAreWrittenAsZerosAndReadAsTimeZero)
{
    const ScopedEnvironment zone("TZ", kNewYork);
    for (const __time64_t t : {__time64_t(-1), __time64_t(40000000000)})
    {
        const SYSTEMTIME written = EncodeTimeBlock(CTime(t));
        expectClock(written, 0, 0, 0, 0, 0, 0);
        CTime read(12345);
        ASSERT_TRUE(DecodeTimeBlock(written, read));
        EXPECT_EQ(read.GetTime(), 0);
    }
}
} // namespace
