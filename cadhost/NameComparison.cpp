#include "cadhost/NameComparison.h"

#include "cadhost/TextEncoding.h"

#include <algorithm>
#include <cwctype>
#include <locale.h>
#include <wctype.h>

namespace cadhost
{
namespace
{
// Made once and kept for the life of the process.
locale_t foldingLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}
} // namespace

wchar_t foldCase(wchar_t ch)
{
    // Most names are ASCII, and these fold alike in every locale.
    if (ch < 0x80)
        return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
    const locale_t locale = foldingLocale();
    const wint_t wide = static_cast<wint_t>(ch);
    return static_cast<wchar_t>(locale != static_cast<locale_t>(nullptr) ? towlower_l(wide, locale)
                                                                         : std::towlower(wide));
}

int compareNoCase(std::wstring_view a, std::wstring_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
    {
        if (a[i] == b[i])
            continue;
        const wchar_t left = foldCase(a[i]);
        const wchar_t right = foldCase(b[i]);
        if (left != right)
            return utf16Rank(left) < utf16Rank(right) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool NameOrder::operator()(std::wstring_view a, std::wstring_view b) const
{
    const int folded = compareNoCase(a, b);
    return folded != 0 ? folded < 0 : Utf16Less()(a, b);
}
} // namespace cadhost
