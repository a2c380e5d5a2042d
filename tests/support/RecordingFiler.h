// A drawing filer that keeps no bytes: it logs every call as its kind and
// the value written, so that tests can check a record's exact sequence of
// filer calls. Reads are logged as "read " and the kind, and answer zero
// values (null text).
#pragma once

#include "host/AcDbDwgFiler.h"

#include <string>
#include <vector>

// Every value the filer files: its name in the filer's calls, the type read
// into, the type written, and the kind logged.
#define RECORDING_FILER_VALUES(X)                                                                  \
    X(HardOwnershipId, AcDbHardOwnershipId, const AcDbHardOwnershipId&, "hardOwnershipId")         \
    X(SoftOwnershipId, AcDbSoftOwnershipId, const AcDbSoftOwnershipId&, "softOwnershipId")         \
    X(HardPointerId, AcDbHardPointerId, const AcDbHardPointerId&, "hardPointerId")                 \
    X(SoftPointerId, AcDbSoftPointerId, const AcDbSoftPointerId&, "softPointerId")                 \
    X(String, ACHAR*, const ACHAR*, "string")                                                      \
    X(AcDbHandle, AcDbHandle, const AcDbHandle&, "handle")                                         \
    X(Int64, Adesk::Int64, Adesk::Int64, "int64")                                                  \
    X(Int32, Adesk::Int32, Adesk::Int32, "int32")                                                  \
    X(Int16, Adesk::Int16, Adesk::Int16, "int16")                                                  \
    X(Int8, Adesk::Int8, Adesk::Int8, "int8")                                                      \
    X(UInt64, Adesk::UInt64, Adesk::UInt64, "uint64")                                              \
    X(UInt32, Adesk::UInt32, Adesk::UInt32, "uint32")                                              \
    X(UInt16, Adesk::UInt16, Adesk::UInt16, "uint16")                                              \
    X(UInt8, Adesk::UInt8, Adesk::UInt8, "uint8")                                                  \
    X(Bool, bool, bool, "bool")                                                                    \
    X(Double, double, double, "double")                                                            \
    X(Point2d, AcGePoint2d, const AcGePoint2d&, "point2d")                                         \
    X(Point3d, AcGePoint3d, const AcGePoint3d&, "point3d")                                         \
    X(Vector3d, AcGeVector3d, const AcGeVector3d&, "vector3d")                                     \
    X(Scale3d, AcGeScale3d, const AcGeScale3d&, "scale3d")

class RecordingFiler : public AcDbDwgFiler
{
public:
    struct Call
    {
        std::string kind;  // "double", "int32", "string", "point3d", "handle", ...
        // As written for numbers (doubles with 17 significant digits), text
        // (as UTF-8) and handles; empty for points, vectors, scales and ids.
        std::string value;
    };

    const std::vector<Call>& calls() const { return mCalls; }
    // Only the kinds, in order.
    std::vector<std::string> kinds() const;
    // The values of the calls of one kind, in order.
    std::vector<std::string> values(const std::string& kind) const;

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return nullptr; }

#define RECORDING_FILER_DECLARE(Name, ReadType, WriteType, kind)                                   \
    Acad::ErrorStatus read##Name(ReadType* pVal) override;                                         \
    Acad::ErrorStatus write##Name(WriteType val) override;
    RECORDING_FILER_VALUES(RECORDING_FILER_DECLARE)
#undef RECORDING_FILER_DECLARE

    Acad::ErrorStatus readBytes(void* pDest, Adesk::UIntPtr nBytes) override;
    Acad::ErrorStatus writeBytes(const void* pSrc, Adesk::UIntPtr nBytes) override;
    Acad::ErrorStatus seek(Adesk::Int64 nOffset, int nMethod) override;
    Adesk::Int64 tell() const override;

private:
    Acad::ErrorStatus log(const std::string& kind, std::string value = std::string());

    std::vector<Call> mCalls;
    Acad::ErrorStatus mStatus = Acad::eOk;
};
