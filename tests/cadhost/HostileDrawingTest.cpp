// Drawings that only a hostile file or a broken writer makes: each is made
// here from a drawing the writer saved, changed with its checksums made to
// agree, so that the reader meets the damage at the point under test.
#include "tests/support/DrawingFileImage.h"
#include "tests/support/HostTest.h"
#include "tests/support/TempFolder.h"

#include "cadhost/DatabaseObjects.h"
#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/HostBuffer.h"
#include "host/AcDbCurves.h"
#include "host/AcDbDictionary.h"
#include "host/AcDbSymbolTable.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;
constexpr Adesk::UInt64 kLargestHandle = std::numeric_limits<Adesk::UInt64>::max();
namespace fs = std::filesystem;

std::wstring keyOf(int i)
{
    wchar_t key[16];
    std::swprintf(key, 16, L"Key%06d", i);
    return key;
}

// A dictionary record (owner handle, entry count, then key and handle per
// entry) with its entries in the opposite order, or with the first entry's
// key given to the last one too.
enum class Change
{
    kReverse,
    kRepeatFirstKey
};

std::string changedDictionaryRecord(const std::string& record, Change change)
{
    DwgMemoryFiler in;
    in.assignBuffer(reinterpret_cast<const std::uint8_t*>(record.data()), record.size());
    Adesk::UInt64 owner = 0;
    Adesk::UInt32 count = 0;
    in.readUInt64(&owner);
    in.readUInt32(&count);
    std::vector<std::pair<std::wstring, Adesk::UInt64>> entries;
    for (Adesk::UInt32 i = 0; i < count; ++i)
    {
        std::wstring key = cadhost::readFiledText(in);
        Adesk::UInt64 handle = 0;
        in.readUInt64(&handle);
        entries.emplace_back(std::move(key), handle);
    }
    EXPECT_EQ(in.filerStatus(), eOk);
    if (change == Change::kReverse)
        std::reverse(entries.begin(), entries.end());
    else
        entries.back().first = entries.front().first;

    DwgMemoryFiler out;
    out.writeUInt64(owner);
    out.writeUInt32(count);
    for (const auto& [key, handle] : entries)
    {
        out.writeString(key.c_str());
        out.writeUInt64(handle);
    }
    return std::string(reinterpret_cast<const char*>(out.data()), out.size());
}

class HostileDrawingTest : public HostTest
{
protected:
    fs::path file(const char* name) const { return m_files / name; }

    fs::path written(const char* name, const DrawingFileImage& image)
    {
        writeFile(file(name), image.bytes());
        return file(name);
    }

    // A dictionary of count empty dictionaries under "Entries" in the named
    // objects; its handle.
    AcDbHandle storeEntries(int count)
    {
        AcDbDictionary* namedObjects = nullptr;
        db()->getNamedObjectsDictionary(namedObjects, AcDb::kForWrite);
        auto* entries = new AcDbDictionary;
        AcDbObjectId entriesId;
        EXPECT_EQ(namedObjects->setAt(L"Entries", entries, entriesId), eOk);
        namedObjects->close();
        for (int i = 0; i < count; ++i)
        {
            auto* entry = new AcDbDictionary;
            AcDbObjectId ignored;
            EXPECT_EQ(entries->setAt(keyOf(i).c_str(), entry, ignored), eOk);
            entry->close();
        }
        entries->close();
        return entriesId.handle();
    }

    // The keys of the dictionary of handle, in the order its iterator gives.
    std::vector<std::wstring> keysOf(AcDbHandle handle)
    {
        std::vector<std::wstring> keys;
        AcDbDictionary* entries = nullptr;
        EXPECT_EQ(acdbOpenObject(entries, idOf(handle), AcDb::kForRead), eOk);
        if (entries == nullptr)
            return keys;
        AcDbDictionaryIterator* it = entries->newIterator();
        for (; !it->done(); it->next())
            keys.emplace_back(it->name());
        delete it;
        entries->close();
        return keys;
    }

    // The file saved as name with its handle seed set to seed.
    fs::path withHandseed(const char* name, Adesk::UInt64 seed)
    {
        DrawingFileImage image = DrawingFileImage::of(fileBytes(file("drawing.zdw")));
        image.header.handseed = seed;
        return written(name, image);
    }

    TempFolder m_files;
};

// Each way of making an object resident, for one new object (the entry or
// block definition of that name); its status. The object is closed when it
// went in, and deleted when it did not.
Acad::ErrorStatus addEach(AcDbDatabase* database, int way, const ACHAR* name)
{
    AcDbObject* made = nullptr;
    Acad::ErrorStatus es = eOk;
    AcDbObjectId id;
    if (way == 0)
    {
        made = new AcDbLine;
        es = database->addAcDbObject(id, made);
    }
    else if (way == 1)
    {
        AcDbDictionary* namedObjects = nullptr;
        database->getNamedObjectsDictionary(namedObjects, AcDb::kForWrite);
        made = new AcDbDictionary;
        es = namedObjects->setAt(name, made, id);
        namedObjects->close();
    }
    else
    {
        AcDbBlockTable* table = nullptr;
        database->getBlockTable(table, AcDb::kForWrite);
        if (way == 2)
        {
            auto* record = new AcDbBlockTableRecord;
            record->setName(name);
            made = record;
            es = table->add(record);
        }
        else
        {
            AcDbBlockTableRecord* space = nullptr;
            table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
            made = new AcDbLine;
            es = space->appendAcDbEntity(static_cast<AcDbLine*>(made));
            space->close();
        }
        table->close();
    }
    if (es == eOk)
        made->close();
    else
        delete made;
    return es;
}

constexpr int kWaysToAdd = 4;

// The seed is the next handle to give, and must always have a next one: a
// file whose seed leaves none (or is the null handle) is refused, and a
// drawing whose handles run out refuses every new object, leaving the
// drawing as it was and still saveable.
TEST_F(HostileDrawingTest, HandlesNeverWrapAndASeedWithoutRoomIsRefused)
{
    const AcDbHandle entries = storeEntries(2);
    ASSERT_EQ(save(file("drawing.zdw")), eOk);
    for (const Adesk::UInt64 seed : {Adesk::UInt64{0}, kLargestHandle})
    {
        AcDbDatabase* empty = freshEmptyDatabase();
        EXPECT_EQ(empty->readDwgFile(withHandseed("no-room.zdw", seed).wstring().c_str()),
                  Acad::eDwgObjectImproperlyRead) << seed;
        EXPECT_EQ(empty->numObjects(), 0U);
    }

    const fs::path lastRoom = withHandseed("last-room.zdw", kLargestHandle - 2);
    for (int way = 0; way < kWaysToAdd; ++way)
    {
        ASSERT_EQ(reopen(lastRoom), eOk);
        const Adesk::UInt32 objects = db()->numObjects();
        EXPECT_EQ(addEach(db(), way, L"First"), eOk) << way;
        EXPECT_EQ(static_cast<Adesk::UInt64>(db()->handseed()), kLargestHandle - 1);
        for (int again = 0; again < kWaysToAdd; ++again)
            EXPECT_EQ(addEach(db(), again, L"Entries"), Acad::eOutOfRange) << way << " then " << again;
        EXPECT_EQ(db()->numObjects(), objects + 1) << way;
        EXPECT_EQ(keysOf(entries).size(), 2U) << "a refused entry replaces nothing";
        ASSERT_EQ(save(file("full.zdw")), eOk);
        EXPECT_EQ(reopen(file("full.zdw")), eOk) << "a drawing out of handles still reads";
    }
}

// Listing a drawing's objects takes the time of its objects, not of its seed.
TEST_F(HostileDrawingTest, ObjectsAreListedWithoutWalkingTheHandles)
{
    storeEntries(3);
    const AcDbObjectId erased = appendToModelSpace(new AcDbLine);
    AcDbObject* line = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(line, erased, AcDb::kForWrite), eOk);
    line->erase();
    line->close();
    ASSERT_EQ(save(file("drawing.zdw")), eOk);
    ASSERT_EQ(reopen(withHandseed("far.zdw", Adesk::UInt64{1} << 62)), eOk);

    const std::vector<AcDbObjectId> ids = cadhost::liveObjectIds(*db());
    EXPECT_EQ(ids.size(), db()->numObjects());
    for (std::size_t i = 0; i < ids.size(); ++i)
    {
        EXPECT_FALSE(ids[i].isErased());
        EXPECT_TRUE(i == 0 || ids[i - 1].handle() < ids[i].handle());
    }
}

// Entries stored against key order read back whole and in key order, and are
// written back in key order: the file saved again is the one saved first. A
// key named twice, however far apart, still makes the record unreadable.
TEST_F(HostileDrawingTest, ADictionaryReadsWhateverOrderItsEntriesComeIn)
{
    constexpr int kEntries = 3000;
    const AcDbHandle entries = storeEntries(kEntries);
    ASSERT_EQ(save(file("ascending.zdw")), eOk);
    const std::string ascending = fileBytes(file("ascending.zdw"));
    std::vector<std::wstring> expected;
    for (int i = 0; i < kEntries; ++i)
        expected.push_back(keyOf(i));

    DrawingFileImage image = DrawingFileImage::of(ascending);
    DrawingFileImage::Object* record = image.object(entries);
    ASSERT_NE(record, nullptr);
    const std::string inKeyOrder = record->record;
    record->record = changedDictionaryRecord(inKeyOrder, Change::kReverse);
    ASSERT_EQ(reopen(written("descending.zdw", image)), eOk);
    EXPECT_EQ(db()->numProxies(), 0U);
    EXPECT_EQ(keysOf(entries), expected);
    ASSERT_EQ(save(file("again.zdw")), eOk);
    EXPECT_EQ(fileBytes(file("again.zdw")), ascending);

    record->record = changedDictionaryRecord(inKeyOrder, Change::kRepeatFirstKey);
    ASSERT_EQ(reopen(written("repeated.zdw", image)), eOk);
    EXPECT_EQ(db()->numProxies(), 1U) << "a record naming a key twice is kept as it was";
}
} // namespace
