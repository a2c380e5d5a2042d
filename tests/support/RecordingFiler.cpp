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

std::string describe(const ACHAR* text)
{
    return text != nullptr ? cadhost::toUtf8(text) : std::string();
}

template <class T> std::string describe(const T& value)
{
    if constexpr (std::is_same_v<T, bool>)
        return value ? "true" : "false";
    else if constexpr (std::is_integral_v<T>)
        return std::to_string(value);
    else if constexpr (std::is_same_v<T, AcDbHandle>)
        return std::to_string(Adesk::UInt64(value));
    else
        return std::string();
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
