#include "cadhost/DwgMemoryFiler.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/TextEncoding.h"
#include "host/acutMem.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

// Values are copied in the machine's byte order, which the filer's little-
// endian layout then matches.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the host files values little-endian");

namespace
{
template <class T>
void storeIfGiven(T* dest, const T& value)
{
    if (dest != nullptr)
        *dest = value;
}
} // namespace

DwgMemoryFiler::DwgMemoryFiler(AcDbDatabase* database, AcDb::FilerType type)
    : mDatabase(database), mType(type), mRecordFormat(cadhost::kCurrentRecordFormat)
{
}

DwgMemoryFiler::~DwgMemoryFiler() = default;

void DwgMemoryFiler::setBuffer(std::vector<std::uint8_t> bytes)
{
    mStorage = std::move(bytes);
    mSize = mStorage.size();
    rewind();
}

void DwgMemoryFiler::assignBuffer(const std::uint8_t* bytes, std::size_t size)
{
    if (mStorage.size() < size)
        mStorage.resize(size);
    if (size != 0)
        std::memcpy(mStorage.data(), bytes, size);
    mSize = size;
    rewind();
}

std::vector<std::uint8_t> DwgMemoryFiler::takeBuffer()
{
    mStorage.resize(mSize);
    std::vector<std::uint8_t> bytes = std::move(mStorage);
    mStorage.clear();
    mSize = 0;
    rewind();
    return bytes;
}

void DwgMemoryFiler::rewind()
{
    mPosition = 0;
    mStatus = Acad::eOk;
}

void DwgMemoryFiler::clear()
{
    mSize = 0;
    rewind();
}

Acad::ErrorStatus DwgMemoryFiler::filerStatus() const { return mStatus; }
AcDb::FilerType DwgMemoryFiler::filerType() const { return mType; }
void DwgMemoryFiler::setFilerStatus(Acad::ErrorStatus status) { mStatus = status; }
void DwgMemoryFiler::resetFilerStatus() { mStatus = Acad::eOk; }
AcDbDatabase* DwgMemoryFiler::database() const { return mDatabase; }

// The private helpers are used in this file only and defined inline, so
// that calls with constant sizes inline within the library.
inline Acad::ErrorStatus DwgMemoryFiler::put(const void* src, std::size_t size)
{
    if (mStatus != Acad::eOk || size > mStorage.size() - mPosition)
        return putGrowing(src, size);
    if (size != 0)
        std::memcpy(mStorage.data() + mPosition, src, size);
    mPosition += size;
    if (mPosition > mSize)
        mSize = mPosition;
    return Acad::eOk;
}

Acad::ErrorStatus DwgMemoryFiler::putGrowing(const void* src, std::size_t size)
{
    if (mStatus != Acad::eOk)
        return mStatus;
    mStorage.resize(std::max({mStorage.size() * 2, mPosition + size, std::size_t{256}}));
    return put(src, size);
}

inline Acad::ErrorStatus DwgMemoryFiler::get(void* dest, std::size_t size)
{
    if (mStatus != Acad::eOk || size > mSize - mPosition)
        return failRead(dest, size);
    if (size != 0)
        std::memcpy(dest, mStorage.data() + mPosition, size);
    mPosition += size;
    return Acad::eOk;
}

Acad::ErrorStatus DwgMemoryFiler::failRead(void* dest, std::size_t size)
{
    if (mStatus == Acad::eOk)
    {
        mStatus = Acad::eEndOfFile;
        mPosition = mSize;
    }
    if (size != 0)
        std::memset(dest, 0, size);
    return mStatus;
}

template <class T>
inline Acad::ErrorStatus DwgMemoryFiler::putValue(T value)
{
    return put(&value, sizeof value);
}

template <class T>
inline Acad::ErrorStatus DwgMemoryFiler::getValue(T* dest)
{
    T value{};
    const Acad::ErrorStatus es = get(&value, sizeof value);
    storeIfGiven(dest, value);
    return es;
}

inline Acad::ErrorStatus DwgMemoryFiler::putDoubles(const double* values, std::size_t count)
{
    return put(values, count * sizeof(double));
}

inline Acad::ErrorStatus DwgMemoryFiler::getDoubles(double* values, std::size_t count)
{
    return get(values, count * sizeof(double));
}

template <class T>
inline Acad::ErrorStatus DwgMemoryFiler::getTriple(T* dest)
{
    double v[3];
    const Acad::ErrorStatus es = getDoubles(v, 3);
    storeIfGiven(dest, T(v[0], v[1], v[2]));
    return es;
}

inline Acad::ErrorStatus DwgMemoryFiler::putId(const AcDbObjectId& id)
{
    return putValue<Adesk::UInt64>(id.handle());
}

inline Acad::ErrorStatus DwgMemoryFiler::getId(AcDbObjectId* id)
{
    Adesk::UInt64 handle = 0;
    const Acad::ErrorStatus es = getValue(&handle);
    AcDbStub* stub = nullptr;
    if (handle != 0 && mDatabase != nullptr)
        stub = AcDbImpDatabase::of(mDatabase)->stubOf(handle);
    storeIfGiven(id, AcDbObjectId(stub));
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::readHardOwnershipId(AcDbHardOwnershipId* pVal) { return getId(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeHardOwnershipId(const AcDbHardOwnershipId& val) { return putId(val); }
Acad::ErrorStatus DwgMemoryFiler::readSoftOwnershipId(AcDbSoftOwnershipId* pVal) { return getId(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeSoftOwnershipId(const AcDbSoftOwnershipId& val) { return putId(val); }
Acad::ErrorStatus DwgMemoryFiler::readHardPointerId(AcDbHardPointerId* pVal) { return getId(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeHardPointerId(const AcDbHardPointerId& val) { return putId(val); }
Acad::ErrorStatus DwgMemoryFiler::readSoftPointerId(AcDbSoftPointerId* pVal) { return getId(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeSoftPointerId(const AcDbSoftPointerId& val) { return putId(val); }

Acad::ErrorStatus DwgMemoryFiler::readString(ACHAR** pVal)
{
    Adesk::UInt32 units = 0;
    getValue(&units);
    if (mStatus == Acad::eOk && units > (mSize - mPosition) / 2)
    {
        mStatus = Acad::eEndOfFile;
        mPosition = mSize;
    }
    if (mStatus != Acad::eOk)
    {
        storeIfGiven(pVal, cadhost::newHostBuffer(L""));
        return mStatus;
    }
    auto* text = new ACHAR[units + 1];
    text[cadhost::decodeUtf16LE(mStorage.data() + mPosition, units, text)] = L'\0';
    mPosition += 2 * std::size_t{units};
    if (pVal != nullptr)
        *pVal = text;
    else
        acutDelBuffer(text);
    return Acad::eOk;
}

Acad::ErrorStatus DwgMemoryFiler::writeString(const ACHAR* pVal)
{
    const std::wstring_view text = pVal != nullptr ? pVal : L"";
    const std::size_t units = cadhost::utf16Length(text);
    if (units > std::numeric_limits<Adesk::UInt32>::max())
        return Acad::eStringTooLong;
    putValue(static_cast<Adesk::UInt32>(units));
    cadhost::forEachUtf16Unit(text, [this](char16_t unit) { putValue<std::uint16_t>(unit); });
    return mStatus;
}

Acad::ErrorStatus DwgMemoryFiler::readBytes(void* pDest, Adesk::UIntPtr nBytes)
{
    if (pDest == nullptr && nBytes != 0)
        return Acad::eInvalidInput;
    return get(pDest, nBytes);
}

Acad::ErrorStatus DwgMemoryFiler::writeBytes(const void* pSrc, Adesk::UIntPtr nBytes)
{
    if (pSrc == nullptr && nBytes != 0)
        return Acad::eInvalidInput;
    return put(pSrc, nBytes);
}

Acad::ErrorStatus DwgMemoryFiler::readAcDbHandle(AcDbHandle* pVal)
{
    Adesk::UInt64 value = 0;
    const Acad::ErrorStatus es = getValue(&value);
    storeIfGiven(pVal, AcDbHandle(value));
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::writeAcDbHandle(const AcDbHandle& val)
{
    return putValue<Adesk::UInt64>(val);
}

Acad::ErrorStatus DwgMemoryFiler::readInt64(Adesk::Int64* pVal) { return getValue(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeInt64(Adesk::Int64 val) { return putValue(val); }
Acad::ErrorStatus DwgMemoryFiler::readInt32(Adesk::Int32* pVal) { return getValue(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeInt32(Adesk::Int32 val) { return putValue(val); }
Acad::ErrorStatus DwgMemoryFiler::readInt16(Adesk::Int16* pVal) { return getValue(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeInt16(Adesk::Int16 val) { return putValue(val); }
Acad::ErrorStatus DwgMemoryFiler::readInt8(Adesk::Int8* pVal) { return getValue(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeInt8(Adesk::Int8 val) { return putValue(val); }
Acad::ErrorStatus DwgMemoryFiler::readUInt64(Adesk::UInt64* pVal) { return getValue(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeUInt64(Adesk::UInt64 val) { return putValue(val); }
Acad::ErrorStatus DwgMemoryFiler::readUInt32(Adesk::UInt32* pVal) { return getValue(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeUInt32(Adesk::UInt32 val) { return putValue(val); }
Acad::ErrorStatus DwgMemoryFiler::readUInt16(Adesk::UInt16* pVal) { return getValue(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeUInt16(Adesk::UInt16 val) { return putValue(val); }
Acad::ErrorStatus DwgMemoryFiler::readUInt8(Adesk::UInt8* pVal) { return getValue(pVal); }
Acad::ErrorStatus DwgMemoryFiler::writeUInt8(Adesk::UInt8 val) { return putValue(val); }

Acad::ErrorStatus DwgMemoryFiler::readBool(bool* pVal)
{
    Adesk::UInt8 byte = 0;
    const Acad::ErrorStatus es = getValue(&byte);
    storeIfGiven(pVal, byte != 0);
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::writeBool(bool val)
{
    return putValue<Adesk::UInt8>(val ? 1 : 0);
}

Acad::ErrorStatus DwgMemoryFiler::readDouble(double* pVal)
{
    double value = 0.0;
    const Acad::ErrorStatus es = getDoubles(&value, 1);
    storeIfGiven(pVal, value);
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::writeDouble(double val) { return putDoubles(&val, 1); }

Acad::ErrorStatus DwgMemoryFiler::readPoint2d(AcGePoint2d* pVal)
{
    double v[2];
    const Acad::ErrorStatus es = getDoubles(v, 2);
    storeIfGiven(pVal, AcGePoint2d(v[0], v[1]));
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::writePoint2d(const AcGePoint2d& val)
{
    const double v[2] = {val.x, val.y};
    return putDoubles(v, 2);
}

Acad::ErrorStatus DwgMemoryFiler::readPoint3d(AcGePoint3d* pVal) { return getTriple(pVal); }

Acad::ErrorStatus DwgMemoryFiler::writePoint3d(const AcGePoint3d& val)
{
    const double v[3] = {val.x, val.y, val.z};
    return putDoubles(v, 3);
}

Acad::ErrorStatus DwgMemoryFiler::readVector3d(AcGeVector3d* pVal) { return getTriple(pVal); }

Acad::ErrorStatus DwgMemoryFiler::writeVector3d(const AcGeVector3d& val)
{
    const double v[3] = {val.x, val.y, val.z};
    return putDoubles(v, 3);
}

Acad::ErrorStatus DwgMemoryFiler::readScale3d(AcGeScale3d* pVal) { return getTriple(pVal); }

Acad::ErrorStatus DwgMemoryFiler::writeScale3d(const AcGeScale3d& val)
{
    const double v[3] = {val.sx, val.sy, val.sz};
    return putDoubles(v, 3);
}

Acad::ErrorStatus DwgMemoryFiler::seek(Adesk::Int64 nOffset, int nMethod)
{
    Adesk::Int64 base = 0;
    if (nMethod == SEEK_CUR)
        base = static_cast<Adesk::Int64>(mPosition);
    else if (nMethod == SEEK_END)
        base = static_cast<Adesk::Int64>(mSize);
    else if (nMethod != SEEK_SET)
        return Acad::eInvalidInput;
    const auto size = static_cast<Adesk::Int64>(mSize);
    if (nOffset < -base || nOffset > size - base)
        return Acad::eInvalidInput;
    mPosition = static_cast<std::size_t>(base + nOffset);
    return Acad::eOk;
}

Adesk::Int64 DwgMemoryFiler::tell() const { return static_cast<Adesk::Int64>(mPosition); }

namespace cadhost
{
Adesk::UInt32 recordFormat(const AcDbDwgFiler* filer)
{
    const auto* memory = dynamic_cast<const DwgMemoryFiler*>(filer);
    return memory != nullptr ? memory->recordFormat() : kCurrentRecordFormat;
}
} // namespace cadhost
