#include "host/CrtTime.h"

#include "cadhost/Utf8Text.h"

#include <cerrno>
#include <cstdlib>
#include <map>
#include <string>

namespace
{
// The runtime's range of representable times: 1970-01-01 00:00:00 UTC to
// 3000-12-31 23:59:59 UTC.
constexpr __time64_t kMaxTime = 32535215999;

bool inRange(__time64_t t)
{
    return t >= 0 && t <= kMaxTime;
}

// What the runtime leaves in a result it refuses to fill.
void markInvalid(struct tm& result)
{
    result = tm{};
    result.tm_sec = result.tm_min = result.tm_hour = -1;
    result.tm_mday = result.tm_mon = result.tm_year = -1;
    result.tm_wday = result.tm_yday = result.tm_isdst = -1;
}
} // namespace

errno_t _localtime64_s(struct tm* result, const __time64_t* t)
{
    if (result == nullptr)
        return EINVAL;
    if (t == nullptr || !inRange(*t))
    {
        markInvalid(*result);
        return EINVAL;
    }
    // Read TZ afresh: this runtime's localtime_r may keep the zone of its
    // first call.
    tzset();
    const std::time_t value = static_cast<std::time_t>(*t);
    if (localtime_r(&value, result) == nullptr)
    {
        markInvalid(*result);
        return EINVAL;
    }
    return 0;
}

__time64_t _mktime64(struct tm* tm)
{
    if (tm == nullptr)
        return -1;
    struct tm normalised = *tm;
    const std::time_t value = std::mktime(&normalised);
    if (!inRange(value))
        return -1;
    *tm = normalised;
    return value;
}

__time64_t _time64(__time64_t* result)
{
    const __time64_t now = std::time(nullptr);
    if (result != nullptr)
        *result = now;
    return now;
}

wchar_t* _wgetenv(const wchar_t* name)
{
    // One converted value per variable name: a pointer handed out stays
    // valid until the same variable is read again.
    static std::map<std::wstring, std::wstring> s_values;
    if (name == nullptr)
        return nullptr;
    const char* value = std::getenv(cadhost::toUtf8(name).c_str());
    if (value == nullptr)
        return nullptr;
    std::wstring& kept = s_values[name];
    kept = cadhost::fromUtf8(value);
    return kept.data();
}
