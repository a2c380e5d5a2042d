// The platform runtime's 64-bit time and environment calls, with the
// runtime's own limits: local-time conversion refuses times before
// 1970-01-01 00:00:00 UTC and after 3000-12-31 23:59:59 UTC, and _mktime64
// answers -1 for a broken-down time outside that range.
#pragma once

#include "host/WinTypes.h"

#include <ctime>

// Converts t to local broken-down time; 0 on success, an errno value
// (EINVAL) for a null argument or a time outside the range.
errno_t _localtime64_s(struct tm* result, const __time64_t* t);

// Converts a local broken-down time to seconds since the epoch, normalising
// *tm as mktime does; -1 when it cannot be represented.
__time64_t _mktime64(struct tm* tm);

// The current time in seconds since the epoch.
__time64_t _time64(__time64_t* result);

// The value of an environment variable as wide text, or null when unset.
// The text stays valid until the same variable is read again.
wchar_t* _wgetenv(const wchar_t* name);
