#include "host/CString.h"

#include <gtest/gtest.h>

TEST(CStringTest, FormatReadsTextConversionsAsThePlatformDoes)
{
    CString text;
    text.Format(L"%s=%d [%c] %% %-6s|%3c|", L"name", 42, L'\u00e9', L"ab", L'x');
    EXPECT_EQ(text, L"name=42 [\u00e9] % ab    |  x|");

    text.Format(L"%hs %S %ls %ws %hc%C %lc", "narrow", "upper", L"wide", L"w", 'n', 'N', L'\u00fc');
    EXPECT_EQ(text, L"narrow upper wide w nN \u00fc");

    text.Format(L"%I64u %I64d %I32d %Iu %.2f %5.1f", 18446744073709551615ull, -9000000000ll, 7,
                std::size_t{9}, 3.14159, 2.25);
    EXPECT_EQ(text, L"18446744073709551615 -9000000000 7 9 3.14   2.2");
    text.Format(L"%3.2s|100%% %%s", L"abc");
    EXPECT_EQ(text, L" ab|100% %s");

    text.AppendFormat(L"|%s", L"\U0001F600");
    EXPECT_EQ(text, L" ab|100% %s|\U0001F600");
}

TEST(CStringTest, FormatHasNoFixedLimitAndFailsCleanly)
{
    const std::wstring longText(100000, L'q');
    CString text;
    text.Format(L"<%s>", longText.c_str());
    EXPECT_EQ(text.GetLength(), 100002);

    // Narrow text this runtime cannot decode: Format gives empty text and
    // AppendFormat leaves the text as it was, neither loops nor truncates.
    text = L"kept";
    text.AppendFormat(L"%hs", "\xff\xfe");
    EXPECT_EQ(text, L"kept");
    text.Format(L"%hs", "\xff\xfe");
    EXPECT_TRUE(text.IsEmpty());
    text.Format(nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringTest, ComparisonsAreOrdinalOrIgnoreCase)
{
    const CString text(L"Model Space");
    EXPECT_LT(text.Compare(L"model space"), 0); // ordinal: upper case first
    EXPECT_GT(text.Compare(nullptr), 0);
    EXPECT_EQ(text.CompareNoCase(L"MODEL space"), 0);
    EXPECT_LT(text.CompareNoCase(L"model spaces"), 0);
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    // Every letter folds, whatever the process's locale (tests run under
    // "C"), and folded letters order as the dictionaries do.
    EXPECT_EQ(CString(L"\u00C4rger").CompareNoCase(L"\u00E4RGER"), 0);
    EXPECT_EQ(CString(L"\u0394\u03A9").CompareNoCase(L"\u03B4\u03C9"), 0);
    EXPECT_LT(CString(L"apple").CompareNoCase(L"Banana"), 0);
}
