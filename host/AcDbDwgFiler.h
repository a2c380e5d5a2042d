// The host's binary filer. Writer and reader make the same calls in the same
// order; the stream carries no names or tags. A read past the end, or any
// other failure, sets the filer's status and yields zero values; the status
// stays set until it is reset, and the host inspects it after each object.
#pragma once

#include "host/AcDb.h"
#include "host/AcDbObjectId.h"
#include "host/AcGePoint3d.h"
#include "host/AcRxObject.h"
#include "host/AcadErrorStatus.h"

class AcDbDatabase;

class AcDbDwgFiler : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbDwgFiler);
    ~AcDbDwgFiler() override;

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    // The database whose ids the filer translates to and from handles.
    virtual AcDbDatabase* database() const = 0;

    virtual Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* pVal) = 0;
    virtual Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& val) = 0;
    virtual Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* pVal) = 0;
    virtual Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& val) = 0;
    virtual Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* pVal) = 0;
    virtual Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& val) = 0;
    virtual Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* pVal) = 0;
    virtual Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& val) = 0;

    // Text is filed as UTF-16. The buffer that readString hands back is the
    // host's: callers copy it and free it with acutDelBuffer.
    virtual Acad::ErrorStatus readString(ACHAR** pVal) = 0;
    virtual Acad::ErrorStatus writeString(const ACHAR* pVal) = 0;

    virtual Acad::ErrorStatus readBytes(void* pDest, Adesk::UIntPtr nBytes) = 0;
    virtual Acad::ErrorStatus writeBytes(const void* pSrc, Adesk::UIntPtr nBytes) = 0;

    virtual Acad::ErrorStatus readAcDbHandle(AcDbHandle* pVal) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& val) = 0;

    virtual Acad::ErrorStatus readInt64(Adesk::Int64* pVal) = 0;
    virtual Acad::ErrorStatus writeInt64(Adesk::Int64 val) = 0;
    virtual Acad::ErrorStatus readInt32(Adesk::Int32* pVal) = 0;
    virtual Acad::ErrorStatus writeInt32(Adesk::Int32 val) = 0;
    virtual Acad::ErrorStatus readInt16(Adesk::Int16* pVal) = 0;
    virtual Acad::ErrorStatus writeInt16(Adesk::Int16 val) = 0;
    virtual Acad::ErrorStatus readInt8(Adesk::Int8* pVal) = 0;
    virtual Acad::ErrorStatus writeInt8(Adesk::Int8 val) = 0;
    virtual Acad::ErrorStatus readUInt64(Adesk::UInt64* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt64(Adesk::UInt64 val) = 0;
    virtual Acad::ErrorStatus readUInt32(Adesk::UInt32* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt32(Adesk::UInt32 val) = 0;
    virtual Acad::ErrorStatus readUInt16(Adesk::UInt16* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt16(Adesk::UInt16 val) = 0;
    virtual Acad::ErrorStatus readUInt8(Adesk::UInt8* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt8(Adesk::UInt8 val) = 0;
    virtual Acad::ErrorStatus readBool(bool* pVal) = 0;
    virtual Acad::ErrorStatus writeBool(bool val) = 0;

    virtual Acad::ErrorStatus readDouble(double* pVal) = 0;
    virtual Acad::ErrorStatus writeDouble(double val) = 0;
    virtual Acad::ErrorStatus readPoint2d(AcGePoint2d* pVal) = 0;
    virtual Acad::ErrorStatus writePoint2d(const AcGePoint2d& val) = 0;
    virtual Acad::ErrorStatus readPoint3d(AcGePoint3d* pVal) = 0;
    virtual Acad::ErrorStatus writePoint3d(const AcGePoint3d& val) = 0;
    virtual Acad::ErrorStatus readVector3d(AcGeVector3d* pVal) = 0;
    virtual Acad::ErrorStatus writeVector3d(const AcGeVector3d& val) = 0;
    virtual Acad::ErrorStatus readScale3d(AcGeScale3d* pVal) = 0;
    virtual Acad::ErrorStatus writeScale3d(const AcGeScale3d& val) = 0;

    // nMethod is SEEK_SET, SEEK_CUR or SEEK_END.
    virtual Acad::ErrorStatus seek(Adesk::Int64 nOffset, int nMethod) = 0;
    virtual Adesk::Int64 tell() const = 0;

protected:
    AcDbDwgFiler() = default;
};
