// A drawing filer that keeps no bytes: it logs every call as its kind and
// the value written, so that tests can check a record's exact sequence of
// filer calls. Reads are logged by kind and answer zero values (null text).
#pragma once

#include "host/AcDbDwgFiler.h"

#include <string>
#include <vector>

class RecordingFiler : public AcDbDwgFiler
{
public:
    struct Call
    {
        std::string kind;  // "double", "int32", "string", "point3d", "handle", ...
        std::string value; // as written; doubles with 17 significant digits, text as UTF-8
    };

    const std::vector<Call>& calls() const { return mCalls; }
    // Only the kinds, in order.
    std::vector<std::string> kinds() const;

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return nullptr; }

    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* pVal) override;
    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& val) override;
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* pVal) override;
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& val) override;
    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* pVal) override;
    Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& val) override;
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* pVal) override;
    Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& val) override;

    Acad::ErrorStatus readString(ACHAR** pVal) override;
    Acad::ErrorStatus writeString(const ACHAR* pVal) override;
    Acad::ErrorStatus readBytes(void* pDest, Adesk::UIntPtr nBytes) override;
    Acad::ErrorStatus writeBytes(const void* pSrc, Adesk::UIntPtr nBytes) override;
    Acad::ErrorStatus readAcDbHandle(AcDbHandle* pVal) override;
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& val) override;

    Acad::ErrorStatus readInt64(Adesk::Int64* pVal) override;
    Acad::ErrorStatus writeInt64(Adesk::Int64 val) override;
    Acad::ErrorStatus readInt32(Adesk::Int32* pVal) override;
    Acad::ErrorStatus writeInt32(Adesk::Int32 val) override;
    Acad::ErrorStatus readInt16(Adesk::Int16* pVal) override;
    Acad::ErrorStatus writeInt16(Adesk::Int16 val) override;
    Acad::ErrorStatus readInt8(Adesk::Int8* pVal) override;
    Acad::ErrorStatus writeInt8(Adesk::Int8 val) override;
    Acad::ErrorStatus readUInt64(Adesk::UInt64* pVal) override;
    Acad::ErrorStatus writeUInt64(Adesk::UInt64 val) override;
    Acad::ErrorStatus readUInt32(Adesk::UInt32* pVal) override;
    Acad::ErrorStatus writeUInt32(Adesk::UInt32 val) override;
    Acad::ErrorStatus readUInt16(Adesk::UInt16* pVal) override;
    Acad::ErrorStatus writeUInt16(Adesk::UInt16 val) override;
    Acad::ErrorStatus readUInt8(Adesk::UInt8* pVal) override;
    Acad::ErrorStatus writeUInt8(Adesk::UInt8 val) override;
    Acad::ErrorStatus readBool(bool* pVal) override;
    Acad::ErrorStatus writeBool(bool val) override;

    Acad::ErrorStatus readDouble(double* pVal) override;
    Acad::ErrorStatus writeDouble(double val) override;
    Acad::ErrorStatus readPoint2d(AcGePoint2d* pVal) override;
    Acad::ErrorStatus writePoint2d(const AcGePoint2d& val) override;
    Acad::ErrorStatus readPoint3d(AcGePoint3d* pVal) override;
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& val) override;
    Acad::ErrorStatus readVector3d(AcGeVector3d* pVal) override;
    Acad::ErrorStatus writeVector3d(const AcGeVector3d& val) override;
    Acad::ErrorStatus readScale3d(AcGeScale3d* pVal) override;
    Acad::ErrorStatus writeScale3d(const AcGeScale3d& val) override;

    Acad::ErrorStatus seek(Adesk::Int64 nOffset, int nMethod) override;
    Adesk::Int64 tell() const override;

private:
    Acad::ErrorStatus log(const char* kind, std::string value = std::string());
    // A read: logged as "read " and its kind, answering a zero value.
    template <class T>
    Acad::ErrorStatus zero(const char* kind, T* value);

    std::vector<Call> mCalls;
    Acad::ErrorStatus mStatus = Acad::eOk;
};
