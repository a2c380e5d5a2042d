// The host's printf-style wide formats on this platform's runtime. The host
// reads %s and %c in a wide format as wide text and a wide character, and
// %S, %C or an h modifier as narrow ones; this runtime reads a bare %s or %c
// as narrow. Its size prefixes I64, I32 and I and its w modifier are not this
// runtime's either. Formats are rewritten into this runtime's spelling first.
#pragma once

#include "host/WinTypes.h"

#include <cstdarg>
#include <string>

namespace cadhost
{
// Appends the formatted text to out; false (out unchanged) for a null format
// or arguments that cannot be formatted, such as narrow text that is not
// valid in the current locale.
bool formatHostText(std::wstring& out, const ACHAR* format, va_list args);
} // namespace cadhost
