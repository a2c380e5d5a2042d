#include "host/AcDbHandle.h"
#include "host/AcRx.h"

#include <gtest/gtest.h>

namespace
{
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
