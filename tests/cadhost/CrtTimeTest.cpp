#include "host/CTime.h"
#include "host/CrtTime.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <utility>

namespace
{
constexpr __time64_t kLastTime = 32535215999; // 3000-12-31 23:59:59 UTC

struct tm localTm(int year, int month, int day, int hour, int minute, int second)
{
    struct tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return t;
}

// Zones are given as rules, so that they need no zone files.
TEST(CrtTimeTest, LocalTimeKeepsToTheRuntimeRangeInTheZoneOfTheMoment)
{
    const ScopedEnvironment utc("TZ", "UTC0");
    struct tm result;
    for (__time64_t t : {__time64_t{0}, kLastTime})
        EXPECT_EQ(_localtime64_s(&result, &t), 0) << t;
    EXPECT_EQ(result.tm_year, 3000 - 1900);
    EXPECT_EQ(result.tm_yday, 364);

    for (__time64_t t : {__time64_t{-1}, kLastTime + 1})
    {
        EXPECT_EQ(_localtime64_s(&result, &t), EINVAL) << t;
        EXPECT_EQ(result.tm_year, -1);
        EXPECT_EQ(CTime(t).GetLocalTm(&result), nullptr);
    }
    const __time64_t zero = 0;
    EXPECT_EQ(_localtime64_s(nullptr, &zero), EINVAL);
    EXPECT_EQ(_localtime64_s(&result, nullptr), EINVAL);
    EXPECT_EQ(CTime(0).GetLocalTm(nullptr), nullptr);

    // West of Greenwich the epoch is still 1969 locally, and allowed.
    const ScopedEnvironment west("TZ", "EST5");
    ASSERT_EQ(CTime(0).GetLocalTm(&result), &result);
    EXPECT_EQ(result.tm_year, 69);
    EXPECT_EQ(result.tm_hour, 19);
}

// Summer time is resolved where the time blocks are read back.
TEST(CrtTimeTest, MakeTimeKeepsToTheRange)
{
    const ScopedEnvironment utc("TZ", "UTC0");
    const std::pair<struct tm, __time64_t> cases[] = {
        {localTm(1970, 1, 1, 0, 0, 0), 0},
        {localTm(3000, 12, 31, 23, 59, 59), kLastTime},
        {localTm(1969, 12, 31, 23, 59, 59), -1},
        {localTm(3001, 1, 1, 0, 0, 0), -1}};
    for (auto [t, expected] : cases)
        EXPECT_EQ(_mktime64(&t), expected) << t.tm_year + 1900;
    EXPECT_EQ(_mktime64(nullptr), -1);
}

TEST(WGetEnvTest, ValuesAreUtf8TextKeptPerVariable)
{
    const ScopedEnvironment a("ZNSIM_TEST_A", "Gr\xc3\xbc\xc3\x9f" "e \xf0\x9f\x98\x80");
    const ScopedEnvironment b("ZNSIM_TEST_B", "bad \xff");
    const ScopedEnvironment unset("ZNSIM_TEST_UNSET", nullptr);

    const wchar_t* first = _wgetenv(L"ZNSIM_TEST_A");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::wstring(first), L"Gr\u00fc\u00dfe \U0001F600");
    const wchar_t* second = _wgetenv(L"ZNSIM_TEST_B");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(std::wstring(second), L"bad \uFFFD");
    // Reading another variable leaves the first text in place.
    EXPECT_EQ(std::wstring(first), L"Gr\u00fc\u00dfe \U0001F600");

    EXPECT_EQ(_wgetenv(L"ZNSIM_TEST_UNSET"), nullptr);
    EXPECT_EQ(_wgetenv(nullptr), nullptr);
}
} // namespace
