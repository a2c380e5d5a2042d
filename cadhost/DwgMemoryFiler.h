// The host's binary drawing filer over memory: what the host uses to file
// objects for undo, for copies and into drawing files. Values are stored
// little-endian at their natural width (bool as one byte, ids and handles as
// 64-bit handles), text as a 32-bit count of UTF-16 code units followed by
// the units. Nothing is allocated per value beyond the growth of the buffer.
//
// A read past the end sets the status to eEndOfFile and yields zeros (empty
// text). Once the status is set, by a failed read or by setFilerStatus, every
// further read and write does nothing but answer it, until resetFilerStatus.
// Ids are written as the handles of their objects; read, a handle becomes the
// id of the object with that handle in the filer's database, and the null id
// when there is none (a dangling reference is not a filer failure).
#pragma once

#include "cadhost/FilingRules.h"
#include "host/AcDbDwgFiler.h"

#include <cstdint>
#include <vector>

class DwgMemoryFiler : public AcDbDwgFiler
{
public:
    explicit DwgMemoryFiler(AcDbDatabase* database = nullptr,
                            AcDb::FilerType type = AcDb::kFileFiler);
    ~DwgMemoryFiler() override;
    DwgMemoryFiler(const DwgMemoryFiler&) = delete;
    DwgMemoryFiler& operator=(const DwgMemoryFiler&) = delete;

    // The bytes written so far (or given to read).
    const std::uint8_t* data() const { return mStorage.data(); }
    std::size_t size() const { return mSize; }
    // Gives the filer bytes to read from the start, status cleared.
    void setBuffer(std::vector<std::uint8_t> bytes);
    // The same with a copy of size bytes at bytes, kept in the storage the
    // filer has already grown, so that a filer reading one record after
    // another allocates only for the largest.
    void assignBuffer(const std::uint8_t* bytes, std::size_t size);
    // The format of the records it reads (FilingRules.h), the current one
    // unless a drawing file of another says so.
    Adesk::UInt32 recordFormat() const { return mRecordFormat; }
    void setRecordFormat(Adesk::UInt32 format) { mRecordFormat = format; }
    // Hands the bytes over and leaves the filer empty.
    std::vector<std::uint8_t> takeBuffer();
    // Back to the start, status cleared, bytes kept.
    void rewind();
    // Empty again, status cleared; the storage is kept for what comes next.
    void clear();

    Acad::ErrorStatus filerStatus() const override;
    AcDb::FilerType filerType() const override;
    void setFilerStatus(Acad::ErrorStatus status) override;
    void resetFilerStatus() override;
    AcDbDatabase* database() const override;

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

    // Positions run from 0 to the buffer's size; a seek outside that range
    // answers eInvalidInput and moves nothing.
    Acad::ErrorStatus seek(Adesk::Int64 nOffset, int nMethod) override;
    Adesk::Int64 tell() const override;

private:
    // Only the cold paths stay out of line, so that filing a fixed-size value
    // compiles down to a bounds check and a copy.
    Acad::ErrorStatus put(const void* src, std::size_t size);
    Acad::ErrorStatus get(void* dest, std::size_t size);
    Acad::ErrorStatus putGrowing(const void* src, std::size_t size);
    Acad::ErrorStatus failRead(void* dest, std::size_t size);
    template <class T>
    Acad::ErrorStatus putValue(T value);
    template <class T>
    Acad::ErrorStatus getValue(T* dest);
    Acad::ErrorStatus putDoubles(const double* values, std::size_t count);
    Acad::ErrorStatus getDoubles(double* values, std::size_t count);
    // A geometry value of three doubles.
    template <class T>
    Acad::ErrorStatus getTriple(T* dest);
    Acad::ErrorStatus putId(const AcDbObjectId& id);
    Acad::ErrorStatus getId(AcDbObjectId* id);

    AcDbDatabase* mDatabase;
    AcDb::FilerType mType;
    Acad::ErrorStatus mStatus = Acad::eOk;
    Adesk::UInt32 mRecordFormat;
    // Storage grows by doubling and may run past mSize, the bytes in use.
    std::vector<std::uint8_t> mStorage;
    std::size_t mSize = 0;
    std::size_t mPosition = 0;
};
