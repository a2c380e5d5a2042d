// Drawings that only a hostile file or a broken writer makes: each is made
// here from a drawing the writer saved, changed with its checksums made to
// agree, so that the reader meets the damage at the point under test.
#include "tests/support/DrawingFileImage.h"
#include "tests/support/HostTest.h"
#include "tests/support/TempFolder.h"

#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/HostBuffer.h"
#include "host/AcDbDictionary.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;
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

    Acad::ErrorStatus save(const char* name) { return db()->saveAs(file(name).wstring().c_str()); }

    Acad::ErrorStatus reopen(const fs::path& path)
    {
        return freshEmptyDatabase()->readDwgFile(path.wstring().c_str());
    }

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

    // The keys of "Entries" in the order its iterator gives them.
    std::vector<std::wstring> storedKeys()
    {
        AcDbDictionary* namedObjects = nullptr;
        db()->getNamedObjectsDictionary(namedObjects, AcDb::kForRead);
        AcDbDictionary* entries = nullptr;
        AcDbObject* object = nullptr;
        EXPECT_EQ(namedObjects->getAt(L"Entries", object, AcDb::kForRead), eOk);
        namedObjects->close();
        entries = AcDbDictionary::cast(object);
        std::vector<std::wstring> keys;
        if (entries == nullptr)
        {
            if (object != nullptr)
                object->close();
            return keys;
        }
        AcDbDictionaryIterator* it = entries->newIterator();
        for (; !it->done(); it->next())
            keys.emplace_back(it->name());
        delete it;
        entries->close();
        return keys;
    }

    TempFolder m_files;
};

// Entries stored against key order read back whole and in key order, and are
// written back in key order: the file saved again is the one saved first. A
// key named twice, however far apart, still makes the record unreadable.
TEST_F(HostileDrawingTest, ADictionaryReadsWhateverOrderItsEntriesComeIn)
{
    constexpr int kEntries = 3000;
    const AcDbHandle entries = storeEntries(kEntries);
    ASSERT_EQ(save("ascending.zdw"), eOk);
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
    EXPECT_EQ(storedKeys(), expected);
    ASSERT_EQ(save("again.zdw"), eOk);
    EXPECT_EQ(fileBytes(file("again.zdw")), ascending);

    record->record = changedDictionaryRecord(inKeyOrder, Change::kRepeatFirstKey);
    ASSERT_EQ(reopen(written("repeated.zdw", image)), eOk);
    EXPECT_EQ(db()->numProxies(), 1U) << "a record naming a key twice is kept as it was";
}
} // namespace
