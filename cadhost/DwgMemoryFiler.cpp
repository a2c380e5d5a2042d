#include "cadhost/DwgMemoryFiler.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/TextEncoding.h"
#include "host/acutMem.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>

namespace
{
template <class T>
void encodeLE(T value, std::uint8_t* out)
{
    using U = std::make_unsigned_t<T>;
    const auto bits = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

template <class T>
T decodeLE(const std::uint8_t* in)
{
    using U = std::make_unsigned_t<T>;
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    return static_cast<T>(static_cast<U>(bits));
}

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double doubleOf(std::uint64_t bits)
{
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

template <class T>
void storeIfGiven(T* dest, const T& value)
{
    if (dest != nullptr)
        *dest = value;
}
} // namespace

DwgMemoryFiler::DwgMemoryFiler(AcDbDatabase* database, AcDb::FilerType type)
    : mDatabase(database), mType(type)
{
}

DwgMemoryFiler::~DwgMemoryFiler() = default;

const std::vector<std::uint8_t>& DwgMemoryFiler::buffer() const { return mBytes; }

void DwgMemoryFiler::setBuffer(std::vector<std::uint8_t> bytes)
{
    mBytes = std::move(bytes);
    rewind();
}

std::vector<std::uint8_t> DwgMemoryFiler::takeBuffer()
{
    std::vector<std::uint8_t> bytes = std::move(mBytes);
    mBytes.clear();
    rewind();
    return bytes;
}

void DwgMemoryFiler::rewind()
{
    mPosition = 0;
    mStatus = Acad::eOk;
}

Acad::ErrorStatus DwgMemoryFiler::filerStatus() const { return mStatus; }
AcDb::FilerType DwgMemoryFiler::filerType() const { return mType; }
void DwgMemoryFiler::setFilerStatus(Acad::ErrorStatus status) { mStatus = status; }
void DwgMemoryFiler::resetFilerStatus() { mStatus = Acad::eOk; }
AcDbDatabase* DwgMemoryFiler::database() const { return mDatabase; }

Acad::ErrorStatus DwgMemoryFiler::put(const void* src, std::size_t size)
{
    if (mStatus != Acad::eOk || size == 0)
        return mStatus;
    const auto* bytes = static_cast<const std::uint8_t*>(src);
    if (mPosition == mBytes.size())
        mBytes.insert(mBytes.end(), bytes, bytes + size);
    else
    {
        if (mPosition + size > mBytes.size())
            mBytes.resize(mPosition + size);
        std::memcpy(mBytes.data() + mPosition, bytes, size);
    }
    mPosition += size;
    return Acad::eOk;
}

Acad::ErrorStatus DwgMemoryFiler::get(void* dest, std::size_t size)
{
    if (mStatus == Acad::eOk && size > mBytes.size() - mPosition)
    {
        mStatus = Acad::eEndOfFile;
        mPosition = mBytes.size();
    }
    if (size == 0)
        return mStatus;
    if (mStatus != Acad::eOk)
    {
        std::memset(dest, 0, size);
        return mStatus;
    }
    std::memcpy(dest, mBytes.data() + mPosition, size);
    mPosition += size;
    return Acad::eOk;
}

template <class T>
Acad::ErrorStatus DwgMemoryFiler::putValue(T value)
{
    std::uint8_t bytes[sizeof(T)];
    encodeLE(value, bytes);
    return put(bytes, sizeof bytes);
}

template <class T>
Acad::ErrorStatus DwgMemoryFiler::getValue(T* dest)
{
    std::uint8_t bytes[sizeof(T)];
    const Acad::ErrorStatus es = get(bytes, sizeof bytes);
    storeIfGiven(dest, decodeLE<T>(bytes));
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::putDoubles(const double* values, std::size_t count)
{
    std::uint8_t bytes[3 * sizeof(double)];
    for (std::size_t i = 0; i < count; ++i)
        encodeLE(bitsOf(values[i]), bytes + i * sizeof(double));
    return put(bytes, count * sizeof(double));
}

Acad::ErrorStatus DwgMemoryFiler::getDoubles(double* values, std::size_t count)
{
    std::uint8_t bytes[3 * sizeof(double)];
    const Acad::ErrorStatus es = get(bytes, count * sizeof(double));
    for (std::size_t i = 0; i < count; ++i)
        values[i] = doubleOf(decodeLE<std::uint64_t>(bytes + i * sizeof(double)));
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::putId(const AcDbObjectId& id)
{
    return putValue<Adesk::UInt64>(id.handle());
}

Acad::ErrorStatus DwgMemoryFiler::getId(AcDbObjectId* id)
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
    if (mStatus == Acad::eOk && units > (mBytes.size() - mPosition) / 2)
    {
        mStatus = Acad::eEndOfFile;
        mPosition = mBytes.size();
    }
    if (mStatus != Acad::eOk)
    {
        storeIfGiven(pVal, cadhost::newHostBuffer(L""));
        return mStatus;
    }
    auto* text = new ACHAR[units + 1];
    text[cadhost::decodeUtf16LE(mBytes.data() + mPosition, units, text)] = L'\0';
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

Acad::ErrorStatus DwgMemoryFiler::readPoint3d(AcGePoint3d* pVal)
{
    double v[3];
    const Acad::ErrorStatus es = getDoubles(v, 3);
    storeIfGiven(pVal, AcGePoint3d(v[0], v[1], v[2]));
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::writePoint3d(const AcGePoint3d& val)
{
    const double v[3] = {val.x, val.y, val.z};
    return putDoubles(v, 3);
}

Acad::ErrorStatus DwgMemoryFiler::readVector3d(AcGeVector3d* pVal)
{
    double v[3];
    const Acad::ErrorStatus es = getDoubles(v, 3);
    storeIfGiven(pVal, AcGeVector3d(v[0], v[1], v[2]));
    return es;
}

Acad::ErrorStatus DwgMemoryFiler::writeVector3d(const AcGeVector3d& val)
{
    const double v[3] = {val.x, val.y, val.z};
    return putDoubles(v, 3);
}

Acad::ErrorStatus DwgMemoryFiler::readScale3d(AcGeScale3d* pVal)
{
    double v[3];
    const Acad::ErrorStatus es = getDoubles(v, 3);
    storeIfGiven(pVal, AcGeScale3d(v[0], v[1], v[2]));
    return es;
}

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
        base = static_cast<Adesk::Int64>(mBytes.size());
    else if (nMethod != SEEK_SET)
        return Acad::eInvalidInput;
    const auto size = static_cast<Adesk::Int64>(mBytes.size());
    if (nOffset < -base || nOffset > size - base)
        return Acad::eInvalidInput;
    mPosition = static_cast<std::size_t>(base + nOffset);
    return Acad::eOk;
}

Adesk::Int64 DwgMemoryFiler::tell() const { return static_cast<Adesk::Int64>(mPosition); }
