#include "tests/support/HostTest.h"

#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/HostBuffer.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;

std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> bytes;
    for (const int v : values)
        bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

// The next value in f, read through the filer's own read for it.
template <class T>
T next(AcDbDwgFiler& f, Acad::ErrorStatus (AcDbDwgFiler::*read)(T*))
{
    T value{};
    (f.*read)(&value);
    return value;
}

using FilerTest = HostTest;

TEST_F(FilerTest, EveryValueReadsBackExactlyAsWritten)
{
    const AcDbObjectId tableId = db()->blockTableId();
    const std::vector<std::wstring> texts = {L"", L"Grüße", L"\U0001F600 x \U00010000",
                                             L"\uFFFF\uE000"};
    const std::uint8_t raw[3] = {0, 0xFF, 0x80};
    DwgMemoryFiler f(db());
    f.writeInt64(std::numeric_limits<Adesk::Int64>::min());
    f.writeInt32(-2);
    f.writeInt16(-3);
    f.writeInt8(-4);
    f.writeUInt64(std::numeric_limits<Adesk::UInt64>::max());
    f.writeUInt32(0xDEADBEEF);
    f.writeUInt16(0xBEEF);
    f.writeUInt8(0xEF);
    f.writeBool(true);
    f.writeDouble(-0.0);
    f.writeDouble(std::numeric_limits<double>::quiet_NaN());
    f.writePoint2d({1.5, -2.5});
    f.writePoint3d({1e300, -1e-300, 3});
    f.writeVector3d({0, 0, 1});
    f.writeScale3d(AcGeScale3d(2, 3, 4));
    f.writeAcDbHandle(AcDbHandle(0x12345678, 0x9ABC));
    f.writeHardOwnershipId(tableId);
    f.writeSoftPointerId(AcDbObjectId::kNull);
    f.writeAcDbHandle(db()->handseed());
    for (const std::wstring& text : texts)
        f.writeString(text.c_str());
    f.writeString(nullptr);
    f.writeBytes(raw, sizeof raw);
    ASSERT_EQ(f.filerStatus(), eOk);

    f.rewind();
    EXPECT_EQ(next(f, &AcDbDwgFiler::readInt64), std::numeric_limits<Adesk::Int64>::min());
    EXPECT_EQ(next(f, &AcDbDwgFiler::readInt32), -2);
    EXPECT_EQ(next(f, &AcDbDwgFiler::readInt16), -3);
    EXPECT_EQ(next(f, &AcDbDwgFiler::readInt8), -4);
    EXPECT_EQ(next(f, &AcDbDwgFiler::readUInt64), std::numeric_limits<Adesk::UInt64>::max());
    EXPECT_EQ(next(f, &AcDbDwgFiler::readUInt32), 0xDEADBEEF);
    EXPECT_EQ(next(f, &AcDbDwgFiler::readUInt16), 0xBEEF);
    EXPECT_EQ(next(f, &AcDbDwgFiler::readUInt8), 0xEF);
    EXPECT_TRUE(next(f, &AcDbDwgFiler::readBool));
    const double negativeZero = next(f, &AcDbDwgFiler::readDouble);
    EXPECT_TRUE(negativeZero == 0.0 && std::signbit(negativeZero));
    EXPECT_TRUE(std::isnan(next(f, &AcDbDwgFiler::readDouble)));
    const AcGePoint2d p2 = next(f, &AcDbDwgFiler::readPoint2d);
    EXPECT_EQ(p2.x, 1.5);
    EXPECT_EQ(p2.y, -2.5);
    EXPECT_EQ(next(f, &AcDbDwgFiler::readPoint3d), AcGePoint3d(1e300, -1e-300, 3));
    EXPECT_EQ(next(f, &AcDbDwgFiler::readVector3d).z, 1.0);
    EXPECT_EQ(next(f, &AcDbDwgFiler::readScale3d), AcGeScale3d(2, 3, 4));
    EXPECT_EQ(next(f, &AcDbDwgFiler::readAcDbHandle), AcDbHandle(0x12345678, 0x9ABC));
    EXPECT_EQ(next(f, &AcDbDwgFiler::readHardOwnershipId), tableId);
    // Ids read over ones that are set: the null id and a handle no object
    // has both read as null.
    AcDbSoftPointerId none(tableId);
    f.readSoftPointerId(&none);
    EXPECT_TRUE(none.isNull());
    AcDbHardPointerId dangling(tableId);
    f.readHardPointerId(&dangling);
    EXPECT_TRUE(dangling.isNull());
    for (const std::wstring& text : texts)
        EXPECT_EQ(cadhost::readFiledText(f), text);
    EXPECT_EQ(cadhost::readFiledText(f), L"");
    std::uint8_t back[3] = {};
    f.readBytes(back, sizeof back);
    EXPECT_EQ(std::memcmp(back, raw, sizeof raw), 0);
    EXPECT_EQ(f.filerStatus(), eOk);
    EXPECT_EQ(f.tell(), static_cast<Adesk::Int64>(f.size()));
}

TEST_F(FilerTest, ValuesAreLittleEndianAndTextIsCountedUtf16)
{
    DwgMemoryFiler f(db());
    f.writeInt32(0x01020304);
    f.writeBool(true);
    f.writeString(L"A\U0001F600");
    EXPECT_EQ(f.takeBuffer(), bytesOf({4, 3, 2, 1, 1, 3, 0, 0, 0, 'A', 0, 0x3D, 0xD8, 0x00, 0xDE}));

    // What is no Unicode scalar value is written as U+FFFD, and unpaired
    // surrogates in a stream read as U+FFFD.
    DwgMemoryFiler odd;
    const wchar_t invalid[] = {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), 0};
    odd.writeString(invalid);
    EXPECT_EQ(odd.takeBuffer(), bytesOf({2, 0, 0, 0, 0xFD, 0xFF, 0xFD, 0xFF}));
    odd.setBuffer(bytesOf({3, 0, 0, 0, 0x00, 0xDC, 'x', 0, 0x3D, 0xD8}));
    EXPECT_EQ(cadhost::readFiledText(odd), L"\uFFFDx\uFFFD");
    EXPECT_EQ(odd.filerStatus(), eOk);
}

TEST_F(FilerTest, ReadingPastTheEndSetsAStatusThatSticksAndYieldsZeros)
{
    DwgMemoryFiler f(db());
    f.setBuffer(bytesOf({1, 0, 9, 0, 0, 0}));
    Adesk::Int16 first = 0;
    EXPECT_EQ(f.readInt16(&first), eOk);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(cadhost::readFiledText(f), L"") << "a count of 9 units does not fit in two bytes";
    EXPECT_EQ(f.filerStatus(), Acad::eEndOfFile);

    Adesk::Int32 value = 7;
    AcGePoint3d point(1, 2, 3);
    EXPECT_EQ(f.readInt32(&value), Acad::eEndOfFile);
    EXPECT_EQ(f.readPoint3d(&point), Acad::eEndOfFile);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(point, AcGePoint3d());
    f.seek(0, SEEK_SET);
    EXPECT_EQ(f.readInt16(&first), Acad::eEndOfFile) << "the status stays until it is reset";
    EXPECT_EQ(first, 0);
    EXPECT_EQ(f.writeInt8(1), Acad::eEndOfFile);

    f.resetFilerStatus();
    f.seek(0, SEEK_SET);
    EXPECT_EQ(f.readInt16(&first), eOk);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(f.seek(7, SEEK_SET), Acad::eInvalidInput);
    EXPECT_EQ(f.seek(-3, SEEK_CUR), Acad::eInvalidInput);
    EXPECT_EQ(f.tell(), 2);
}
} // namespace
