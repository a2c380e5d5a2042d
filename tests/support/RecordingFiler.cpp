#include "tests/support/RecordingFiler.h"

#include "cadhost/Utf8Text.h"

#include <cstdio>
#include <type_traits>

namespace
{
std::string describe(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

template <class T>
std::enable_if_t<std::is_integral_v<T>, std::string> describe(T value)
{
    return std::to_string(value);
}

std::string describe(bool value)
{
    return value ? "true" : "false";
}

std::string describe(const ACHAR* text)
{
    return text != nullptr ? cadhost::toUtf8(text) : std::string();
}

std::string describe(const AcDbHandle& handle)
{
    return std::to_string(Adesk::UInt64(handle));
}

std::string describe(const AcDbObjectId& id)
{
    return describe(id.handle());
}

std::string triple(double x, double y, double z)
{
    return "(" + describe(x) + ", " + describe(y) + ", " + describe(z) + ")";
}

std::string describe(const AcGePoint2d& p)
{
    return "(" + describe(p.x) + ", " + describe(p.y) + ")";
}

std::string describe(const AcGePoint3d& p)
{
    return triple(p.x, p.y, p.z);
}

std::string describe(const AcGeVector3d& v)
{
    return triple(v.x, v.y, v.z);
}

std::string describe(const AcGeScale3d& s)
{
    return triple(s.sx, s.sy, s.sz);
}
} // namespace

std::vector<std::string> RecordingFiler::kinds() const
{
    std::vector<std::string> result;
    for (const Call& call : mCalls)
        result.push_back(call.kind);
    return result;
}

std::vector<std::string> RecordingFiler::values(const std::string& kind) const
{
    std::vector<std::string> result;
    for (const Call& call : mCalls)
        if (call.kind == kind)
            result.push_back(call.value);
    return result;
}

Acad::ErrorStatus RecordingFiler::log(const std::string& kind, std::string value)
{
    mCalls.push_back({kind, std::move(value)});
    return mStatus;
}

#define RECORDING_FILER_DEFINE(Name, ReadType, WriteType, kind)                                    \
    Acad::ErrorStatus RecordingFiler::read##Name(ReadType* pVal)                                   \
    {                                                                                              \
        *pVal = {};                                                                                \
        return log(std::string("read ") + kind);                                                   \
    }                                                                                              \
    Acad::ErrorStatus RecordingFiler::write##Name(WriteType val)                                   \
    {                                                                                              \
        return log(kind, describe(val));                                                           \
    }
RECORDING_FILER_VALUES(RECORDING_FILER_DEFINE)
#undef RECORDING_FILER_DEFINE

Acad::ErrorStatus RecordingFiler::readBytes(void*, Adesk::UIntPtr nBytes)
{
    return log("read bytes", describe(nBytes));
}

Acad::ErrorStatus RecordingFiler::writeBytes(const void*, Adesk::UIntPtr nBytes)
{
    return log("bytes", describe(nBytes));
}

Acad::ErrorStatus RecordingFiler::seek(Adesk::Int64 nOffset, int nMethod)
{
    return log("seek", describe(nOffset) + " " + describe(nMethod));
}

Adesk::Int64 RecordingFiler::tell() const
{
    return static_cast<Adesk::Int64>(mCalls.size());
}
