#include "host/CTime.h"
#include "host/CrtTime.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

namespace
{
constexpr __time64_t kLastTime = 32535215999; // 3000-12-31 23:59:59 UTC

// Runs each test in a chosen time zone and puts the process's zone back.
class CrtTimeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ"))
            m_savedTz = tz;
        useZone("UTC0");
    }
    void TearDown() override
    {
        if (m_savedTz)
            setenv("TZ", m_savedTz->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    static void useZone(const char* zone) { setenv("TZ", zone, 1); }

    static struct tm localTm(int year, int month, int day, int hour, int minute, int second)
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

private:
    std::optional<std::string> m_savedTz;
};
} // namespace

TEST_F(CrtTimeTest, LocalTimeRefusesTimesOutsideTheRuntimeRange)
{
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
}

TEST_F(CrtTimeTest, LocalTimeFollowsTheZoneOfTheMoment)
{
    struct tm result;
    const __time64_t epoch = 0;
    ASSERT_EQ(_localtime64_s(&result, &epoch), 0);
    EXPECT_EQ(result.tm_hour, 0);

    // West of Greenwich the epoch is still 1969 locally, and allowed.
    useZone("EST5");
    ASSERT_EQ(CTime(0).GetLocalTm(&result), &result);
    EXPECT_EQ(result.tm_year, 69);
    EXPECT_EQ(result.tm_hour, 19);
}

TEST_F(CrtTimeTest, MakeTimeKeepsToTheRangeAndResolvesDaylightSaving)
{
    struct tm t = localTm(1970, 1, 1, 0, 0, 0);
    EXPECT_EQ(_mktime64(&t), 0);
    t = localTm(3000, 12, 31, 23, 59, 59);
    EXPECT_EQ(_mktime64(&t), kLastTime);
    t = localTm(1969, 12, 31, 23, 59, 59);
    EXPECT_EQ(_mktime64(&t), -1);
    t = localTm(3001, 1, 1, 0, 0, 0);
    EXPECT_EQ(_mktime64(&t), -1);
    EXPECT_EQ(_mktime64(nullptr), -1);

    useZone("CET-1CEST,M3.5.0,M10.5.0/3");
    t = localTm(2021, 7, 1, 12, 0, 0);
    EXPECT_EQ(_mktime64(&t), 1625133600); // 10:00 UTC: summer time found
    EXPECT_EQ(t.tm_isdst, 1);
    t = localTm(2021, 1, 31, 12, 0, 60); // normalised, winter time
    EXPECT_EQ(_mktime64(&t), 1612090860); // 11:01 UTC
    EXPECT_EQ(t.tm_min, 1);
    EXPECT_EQ(t.tm_isdst, 0);
}

TEST(WGetEnvTest, ValuesAreUtf8TextKeptPerVariable)
{
    setenv("ZNSIM_TEST_A", "Gr\xc3\xbc\xc3\x9f" "e \xf0\x9f\x98\x80", 1);
    setenv("ZNSIM_TEST_B", "bad \xff", 1);
    unsetenv("ZNSIM_TEST_UNSET");

    const wchar_t* a = _wgetenv(L"ZNSIM_TEST_A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(std::wstring(a), L"Gr\u00fc\u00dfe \U0001F600");
    const wchar_t* b = _wgetenv(L"ZNSIM_TEST_B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(std::wstring(b), L"bad \uFFFD");
    // Reading another variable leaves the first text in place.
    EXPECT_EQ(std::wstring(a), L"Gr\u00fc\u00dfe \U0001F600");

    EXPECT_EQ(_wgetenv(L"ZNSIM_TEST_UNSET"), nullptr);
    EXPECT_EQ(_wgetenv(nullptr), nullptr);
    unsetenv("ZNSIM_TEST_A");
    unsetenv("ZNSIM_TEST_B");
}
