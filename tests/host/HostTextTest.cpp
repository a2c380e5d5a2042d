#include "cadhost/HostTextFormat.h"
#include "host/AcDbHandle.h"
#include "host/AcRx.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::wstring format(const ACHAR* fmt, ...)
{
    std::wstring out = L"<";
    va_list args;
    va_start(args, fmt);
    const bool ok = cadhost::formatHostText(out, fmt, args);
    va_end(args);
    return ok ? out : L"(failed) " + out;
}

TEST(HostTextTest, FormatsReadConversionsAsTheHostMeansThem)
{
    EXPECT_EQ(format(L"%s|%c|%ls|%ws", L"wide", L'w', L"long", L"w"), L"<wide|w|long|w");
    EXPECT_EQ(format(L"%hs|%hc|%S|%C", "narrow", 'n', "upper", 'u'), L"<narrow|n|upper|u");
    EXPECT_EQ(format(L"%-6s|%3.2s|%I64d|%Iu", L"left", L"abc", -(1LL << 40), std::size_t{9}),
              L"<left  | ab|-1099511627776|9");
    EXPECT_EQ(format(L"100%% %%s %d%%", 42), L"<100% %s 42%");
    EXPECT_EQ(format(L"%s", std::wstring(5000, L'\u00e9').c_str()),
              L"<" + std::wstring(5000, L'\u00e9'));

    EXPECT_EQ(format(nullptr), L"(failed) <");
    // Narrow text that the current (C) locale cannot read.
    EXPECT_EQ(format(L"%hs", "\xff\xfe"), L"(failed) <");
}

TEST(HostTextDeathTest, AbortWritesTheMessageThenStops)
{
    EXPECT_DEATH(acrx_abort(L"Class %s (%c%d)", L"mismatch", L'#', 7), "Class mismatch \\(#7\\)");
    // A message whose arguments cannot be formatted still comes out as written.
    EXPECT_DEATH(acrx_abort(L"bad %hs", "\xff"), "bad %hs");
}

TEST(HostTextTest, HandleShowsAsUpperCaseHexWithoutLeadingZeros)
{
    ACHAR buffer[17] = L"?";
    EXPECT_FALSE(AcDbHandle(0x100).getIntoAsciiBuffer(buffer, 3));
    EXPECT_STREQ(buffer, L"?");
    ASSERT_TRUE(AcDbHandle(0x2A0F).getIntoAsciiBuffer(buffer, 5));
    EXPECT_STREQ(buffer, L"2A0F");
    ASSERT_TRUE(AcDbHandle().getIntoAsciiBuffer(buffer, 2));
    EXPECT_STREQ(buffer, L"0");
    ASSERT_TRUE(AcDbHandle(~Adesk::UInt64{0}).getIntoAsciiBuffer(buffer, 17));
    EXPECT_STREQ(buffer, L"FFFFFFFFFFFFFFFF");
}
} // namespace
