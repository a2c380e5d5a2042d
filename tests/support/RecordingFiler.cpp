#include "tests/support/RecordingFiler.h"

#include "cadhost/Utf8Text.h"

#include <cstdio>

namespace
{
std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string triple(double x, double y, double z)
{
    return "(" + number(x) + ", " + number(y) + ", " + number(z) + ")";
}
} // namespace

std::vector<std::string> RecordingFiler::kinds() const
{
    std::vector<std::string> result;
    for (const Call& call : mCalls)
        result.push_back(call.kind);
    return result;
}

Acad::ErrorStatus RecordingFiler::log(const char* kind, std::string value)
{
    mCalls.push_back({kind, std::move(value)});
    return mStatus;
}

template <class T>
Acad::ErrorStatus RecordingFiler::zero(const char* kind, T* value)
{
    *value = T();
    return log((std::string("read ") + kind).c_str());
}

Acad::ErrorStatus RecordingFiler::readHardOwnershipId(AcDbHardOwnershipId* pVal)
{
    return zero("hardOwnershipId", pVal);
}
Acad::ErrorStatus RecordingFiler::writeHardOwnershipId(const AcDbHardOwnershipId& val)
{
    return log("hardOwnershipId", std::to_string(Adesk::UInt64(val.handle())));
}
Acad::ErrorStatus RecordingFiler::readSoftOwnershipId(AcDbSoftOwnershipId* pVal)
{
    return zero("softOwnershipId", pVal);
}
Acad::ErrorStatus RecordingFiler::writeSoftOwnershipId(const AcDbSoftOwnershipId& val)
{
    return log("softOwnershipId", std::to_string(Adesk::UInt64(val.handle())));
}
Acad::ErrorStatus RecordingFiler::readHardPointerId(AcDbHardPointerId* pVal)
{
    return zero("hardPointerId", pVal);
}
Acad::ErrorStatus RecordingFiler::writeHardPointerId(const AcDbHardPointerId& val)
{
    return log("hardPointerId", std::to_string(Adesk::UInt64(val.handle())));
}
Acad::ErrorStatus RecordingFiler::readSoftPointerId(AcDbSoftPointerId* pVal)
{
    return zero("softPointerId", pVal);
}
Acad::ErrorStatus RecordingFiler::writeSoftPointerId(const AcDbSoftPointerId& val)
{
    return log("softPointerId", std::to_string(Adesk::UInt64(val.handle())));
}

Acad::ErrorStatus RecordingFiler::readString(ACHAR** pVal)
{
    return zero("string", pVal);
}
Acad::ErrorStatus RecordingFiler::writeString(const ACHAR* pVal)
{
    return log("string", pVal != nullptr ? cadhost::toUtf8(pVal) : std::string());
}
Acad::ErrorStatus RecordingFiler::readBytes(void*, Adesk::UIntPtr nBytes)
{
    return log("read bytes", std::to_string(nBytes));
}
Acad::ErrorStatus RecordingFiler::writeBytes(const void*, Adesk::UIntPtr nBytes)
{
    return log("bytes", std::to_string(nBytes));
}
Acad::ErrorStatus RecordingFiler::readAcDbHandle(AcDbHandle* pVal)
{
    return zero("handle", pVal);
}
Acad::ErrorStatus RecordingFiler::writeAcDbHandle(const AcDbHandle& val)
{
    return log("handle", std::to_string(Adesk::UInt64(val)));
}

Acad::ErrorStatus RecordingFiler::readInt64(Adesk::Int64* pVal) { return zero("int64", pVal); }
Acad::ErrorStatus RecordingFiler::writeInt64(Adesk::Int64 val)
{
    return log("int64", std::to_string(val));
}
Acad::ErrorStatus RecordingFiler::readInt32(Adesk::Int32* pVal) { return zero("int32", pVal); }
Acad::ErrorStatus RecordingFiler::writeInt32(Adesk::Int32 val)
{
    return log("int32", std::to_string(val));
}
Acad::ErrorStatus RecordingFiler::readInt16(Adesk::Int16* pVal) { return zero("int16", pVal); }
Acad::ErrorStatus RecordingFiler::writeInt16(Adesk::Int16 val)
{
    return log("int16", std::to_string(val));
}
Acad::ErrorStatus RecordingFiler::readInt8(Adesk::Int8* pVal) { return zero("int8", pVal); }
Acad::ErrorStatus RecordingFiler::writeInt8(Adesk::Int8 val)
{
    return log("int8", std::to_string(val));
}
Acad::ErrorStatus RecordingFiler::readUInt64(Adesk::UInt64* pVal) { return zero("uint64", pVal); }
Acad::ErrorStatus RecordingFiler::writeUInt64(Adesk::UInt64 val)
{
    return log("uint64", std::to_string(val));
}
Acad::ErrorStatus RecordingFiler::readUInt32(Adesk::UInt32* pVal) { return zero("uint32", pVal); }
Acad::ErrorStatus RecordingFiler::writeUInt32(Adesk::UInt32 val)
{
    return log("uint32", std::to_string(val));
}
Acad::ErrorStatus RecordingFiler::readUInt16(Adesk::UInt16* pVal) { return zero("uint16", pVal); }
Acad::ErrorStatus RecordingFiler::writeUInt16(Adesk::UInt16 val)
{
    return log("uint16", std::to_string(val));
}
Acad::ErrorStatus RecordingFiler::readUInt8(Adesk::UInt8* pVal) { return zero("uint8", pVal); }
Acad::ErrorStatus RecordingFiler::writeUInt8(Adesk::UInt8 val)
{
    return log("uint8", std::to_string(val));
}
Acad::ErrorStatus RecordingFiler::readBool(bool* pVal) { return zero("bool", pVal); }
Acad::ErrorStatus RecordingFiler::writeBool(bool val)
{
    return log("bool", val ? "true" : "false");
}

Acad::ErrorStatus RecordingFiler::readDouble(double* pVal) { return zero("double", pVal); }
Acad::ErrorStatus RecordingFiler::writeDouble(double val)
{
    return log("double", number(val));
}
Acad::ErrorStatus RecordingFiler::readPoint2d(AcGePoint2d* pVal) { return zero("point2d", pVal); }
Acad::ErrorStatus RecordingFiler::writePoint2d(const AcGePoint2d& val)
{
    return log("point2d", "(" + number(val.x) + ", " + number(val.y) + ")");
}
Acad::ErrorStatus RecordingFiler::readPoint3d(AcGePoint3d* pVal) { return zero("point3d", pVal); }
Acad::ErrorStatus RecordingFiler::writePoint3d(const AcGePoint3d& val)
{
    return log("point3d", triple(val.x, val.y, val.z));
}
Acad::ErrorStatus RecordingFiler::readVector3d(AcGeVector3d* pVal)
{
    return zero("vector3d", pVal);
}
Acad::ErrorStatus RecordingFiler::writeVector3d(const AcGeVector3d& val)
{
    return log("vector3d", triple(val.x, val.y, val.z));
}
Acad::ErrorStatus RecordingFiler::readScale3d(AcGeScale3d* pVal) { return zero("scale3d", pVal); }
Acad::ErrorStatus RecordingFiler::writeScale3d(const AcGeScale3d& val)
{
    return log("scale3d", triple(val.sx, val.sy, val.sz));
}

Acad::ErrorStatus RecordingFiler::seek(Adesk::Int64 nOffset, int nMethod)
{
    return log("seek", std::to_string(nOffset) + " " + std::to_string(nMethod));
}
Adesk::Int64 RecordingFiler::tell() const
{
    return static_cast<Adesk::Int64>(mCalls.size());
}
