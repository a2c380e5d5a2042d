// Conversion between the platform's UTF-8 narrow text (environment, file
// names) and wide text (one code point per wchar_t here). Text that is not
// valid in the source encoding comes out with U+FFFD in its place, so a
// conversion never fails.
#pragma once

#include <string>

namespace cadhost
{
std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);
} // namespace cadhost
