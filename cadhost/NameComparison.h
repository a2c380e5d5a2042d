// Names as the host compares them: without letter case. Dictionary keys and
// block table names honour the host's rules for symbol names, and those are
// treated case-insensitively; CString::CompareNoCase compares the same way.
//
// Folding: every character is lower-cased on its own, as towlower does under
// the "C.UTF-8" locale, which the host makes once for the process. So every
// letter Unicode gives a lower case folds, not only ASCII ("Ä" matches "ä"),
// and the process's own locale (setlocale, LANG) plays no part: under the
// default "C" locale names compare as they do under any other. No character
// expands to several ("ß" stays "ß"). Should that locale be missing, the
// fold falls back to towlower under the process's locale.
#pragma once

#include <string_view>

namespace cadhost
{
wchar_t foldCase(wchar_t ch);

// Below zero, zero or above zero as a sorts before, with or after b when
// letter case is ignored: folded characters compare as their UTF-16 code
// units do, as on the platform, and a name sorts before the longer ones it
// begins. So "apple" < "Banana".
int compareNoCase(std::wstring_view a, std::wstring_view b);

inline bool equalNoCase(std::wstring_view a, std::wstring_view b)
{
    return compareNoCase(a, b) == 0;
}

// The order of a container's names: without letter case first; names that
// differ by case alone (only drawings written before names ignored case hold
// them) then by their UTF-16 code units, which is the order those drawings
// wrote them in. The order is total, so sorting by it is deterministic.
struct NameOrder
{
    bool operator()(std::wstring_view a, std::wstring_view b) const;
};
} // namespace cadhost
