// Wide text (one code point per wchar_t here) as this platform's UTF-8
// narrow text, for file names, symbol names and the error stream. A value
// that is no Unicode scalar value comes out as U+FFFD, so it never fails.
#pragma once

#include <string>

namespace cadhost
{
std::string toUtf8(const std::wstring& text);
} // namespace cadhost
