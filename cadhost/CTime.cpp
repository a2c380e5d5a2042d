#include "host/CTime.h"

#include "host/CrtTime.h"

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

struct tm* CTime::GetLocalTm(struct tm* result) const
{
    return _localtime64_s(result, &mTime) == 0 ? result : nullptr;
}
