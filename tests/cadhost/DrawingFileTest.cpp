#include "tests/support/HostTest.h"
#include "tests/support/TempFolder.h"

#include "cadhost/AcDbImpDatabase.h"
#include "host/AcDbCurves.h"
#include "host/AcDbDictionary.h"
#include "host/AcDbDwgFiler.h"
#include "host/AcDbProxyObject.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcRxClass.h"
#include "host/acutMem.h"

#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;
namespace fs = std::filesystem;

// A small custom class of the kind a module registers: a number, a text and
// a reference, with switches that make its filing misbehave on purpose.
class FileTestRecord : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(FileTestRecord);
    enum class Reading
    {
        kWhole,
        kAsProxy,
        kByThrowing,
        kOnlyPartly
    };
    static Reading s_reading;
    static bool s_failWriting;
    static AcRxObject* make() { return new FileTestRecord; }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override
    {
        assertReadEnabled();
        AcDbObject::dwgOutFields(pFiler);
        pFiler->writeInt32(value);
        pFiler->writeString(text.c_str());
        pFiler->writeHardPointerId(reference);
        if (s_failWriting)
            pFiler->setFilerStatus(Acad::eFilerError);
        return pFiler->filerStatus();
    }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override
    {
        assertWriteEnabled();
        AcDbObject::dwgInFields(pFiler);
        if (s_reading == Reading::kAsProxy)
            return Acad::eMakeMeProxy;
        if (s_reading == Reading::kByThrowing)
            throw std::runtime_error("damaged record");
        pFiler->readInt32(&value);
        if (s_reading == Reading::kOnlyPartly)
            return pFiler->filerStatus();
        ACHAR* buffer = nullptr;
        pFiler->readString(&buffer);
        text = buffer;
        acutDelBuffer(buffer);
        AcDbHardPointerId id;
        pFiler->readHardPointerId(&id);
        reference = id;
        return pFiler->filerStatus();
    }

    Adesk::Int32 value = 0;
    std::wstring text;
    AcDbObjectId reference;
};

AcRxClass* FileTestRecord::gpDesc = nullptr;
AcRxClass* FileTestRecord::desc() { return gpDesc; }
AcRxClass* FileTestRecord::isA() const { return gpDesc; }
FileTestRecord::Reading FileTestRecord::s_reading = FileTestRecord::Reading::kWhole;
bool FileTestRecord::s_failWriting = false;

class DrawingFileTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        registerRecordClass();
    }

    void TearDown() override
    {
        FileTestRecord::s_reading = FileTestRecord::Reading::kWhole;
        FileTestRecord::s_failWriting = false;
        HostTest::TearDown();
        unregisterRecordClass();
    }

    static void registerRecordClass(int proxyFlags = 1)
    {
        FileTestRecord::gpDesc = newAcRxClass(L"FileTestRecord", L"AcDbObject", 27, 3, proxyFlags,
                                              &FileTestRecord::make, L"FILETESTRECORD",
                                              L"FileTestApp");
        ASSERT_NE(FileTestRecord::gpDesc, nullptr);
    }

    static void unregisterRecordClass()
    {
        deleteAcRxClass(FileTestRecord::gpDesc);
        FileTestRecord::gpDesc = nullptr;
    }

    fs::path file(const char* name) const { return m_files / name; }

    // Stores a record under "Rec" in the named-objects dictionary, pointing
    // at model space; its handle.
    AcDbHandle storeRecord(Adesk::Int32 value, const std::wstring& text)
    {
        auto* record = new FileTestRecord;
        record->value = value;
        record->text = text;
        record->reference = modelSpaceId();
        AcDbDictionary* namedObjects = nullptr;
        db()->getNamedObjectsDictionary(namedObjects, AcDb::kForWrite);
        AcDbObjectId id;
        EXPECT_EQ(namedObjects->setAt(L"Rec", record, id), eOk);
        record->close();
        namedObjects->close();
        return id.handle();
    }

    AcDbObject* openStored(const ACHAR* key)
    {
        AcDbDictionary* namedObjects = nullptr;
        EXPECT_EQ(db()->getNamedObjectsDictionary(namedObjects, AcDb::kForRead), eOk);
        AcDbObject* object = nullptr;
        if (namedObjects != nullptr)
        {
            EXPECT_EQ(namedObjects->getAt(key, object, AcDb::kForRead), eOk);
            namedObjects->close();
        }
        return object;
    }

    // Saves a drawing holding one record; the file's bytes.
    std::string savedRecordDrawing(const fs::path& path)
    {
        storeRecord(42, L"Grüße \U0001F600");
        EXPECT_EQ(save(path), eOk);
        return fileBytes(path);
    }

    TempFolder m_files;
};

// Files are written from the root objects down through owners: what is
// erased, or was taken out of its dictionary and given no other owner, is
// not written, and neither is what it owns.
TEST_F(DrawingFileTest, ObjectsComeBackWithTheirDataHandlesAndReferencesAndOnlyThoseReachable)
{
    const AcDbHandle recordHandle = storeRecord(42, L"Grüße \U0001F600");
    auto* orphan = new AcDbDictionary;
    AcDbDictionary* namedObjects = nullptr;
    ASSERT_EQ(db()->getNamedObjectsDictionary(namedObjects, AcDb::kForWrite), eOk);
    AcDbObjectId orphanId;
    ASSERT_EQ(namedObjects->setAt(L"Orphan", orphan, orphanId), eOk);
    // Two entries, so that the second meets what was found of their owner
    // for the first.
    std::vector<AcDbHandle> notWritten{orphanId.handle()};
    for (const ACHAR* key : {L"First", L"Second"})
    {
        auto* entry = new AcDbDictionary;
        AcDbObjectId entryId;
        ASSERT_EQ(orphan->setAt(key, entry, entryId), eOk);
        entry->close();
        notWritten.push_back(entryId.handle());
    }
    orphan->close();
    ASSERT_EQ(namedObjects->remove(L"Orphan"), eOk);
    namedObjects->close();
    const AcDbObjectId erased = appendToModelSpace(new AcDbLine({0, 0, 0}, {1, 1, 1}));
    auto* polyline = new AcDbPolyline;
    polyline->addVertexAt(0, {4, 5}, 0.5);
    polyline->setClosed(true);
    const AcDbHandle polylineHandle = appendToModelSpace(polyline).handle();
    AcDbObject* line = nullptr;
    acdbOpenAcDbObject(line, erased, AcDb::kForWrite);
    line->erase();
    line->close();
    const Adesk::UInt32 objects = db()->numObjects();
    const AcDbHandle seed = db()->handseed();
    notWritten.push_back(erased.handle());

    // Objects open at save time are filed as they are at that moment.
    AcDbObject* held = openStored(L"Rec");
    ASSERT_EQ(save(file("a.zdw")), eOk);
    held->close();

    ASSERT_EQ(reopen(file("a.zdw")), eOk);
    EXPECT_EQ(db()->numObjects(), objects - 3);
    EXPECT_EQ(db()->numProxies(), 0U);
    EXPECT_EQ(db()->handseed(), seed);
    for (const AcDbHandle& handle : notWritten)
    {
        AcDbObjectId id;
        EXPECT_EQ(db()->getAcDbObjectId(id, false, handle), Acad::eUnknownHandle);
    }

    auto* record = FileTestRecord::cast(openStored(L"Rec"));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->objectId().handle(), recordHandle);
    EXPECT_EQ(record->ownerId(), db()->namedObjectsDictionaryId());
    EXPECT_EQ(record->value, 42);
    EXPECT_EQ(record->text, L"Grüße \U0001F600");
    const AcDbObjectId modelSpace = modelSpaceId();
    EXPECT_EQ(record->reference, modelSpace);
    record->close();

    AcDbPolyline* readPolyline = nullptr;
    ASSERT_EQ(acdbOpenObject(readPolyline, idOf(polylineHandle), AcDb::kForRead), eOk);
    EXPECT_EQ(readPolyline->numVerts(), 1U);
    EXPECT_TRUE(readPolyline->isClosed());
    EXPECT_EQ(readPolyline->blockId(), modelSpace);
    readPolyline->close();
}

// Megabytes of objects, and one record bigger than what is read or written
// at a time, go out and come back whole; a damage deep in the file is seen.
TEST_F(DrawingFileTest, ADrawingOfManyMegabytesComesBackWhole)
{
    constexpr int kLines = 40000;
    constexpr unsigned int kVertices = 70000;
    std::vector<AcDbHandle> lines;
    for (int i = 0; i < kLines; ++i)
    {
        const double d = i;
        lines.push_back(appendToModelSpace(new AcDbLine({d, -d, 0.5}, {d, d, 1.5})).handle());
        if (i == kLines / 2)
        {
            auto* polyline = new AcDbPolyline;
            for (unsigned int v = 0; v < kVertices; ++v)
                polyline->addVertexAt(v, {v * 1.0, 2.0});
            appendToModelSpace(polyline);
        }
    }
    const Adesk::UInt32 objects = db()->numObjects();
    ASSERT_EQ(save(file("big.zdw")), eOk);
    const std::string saved = fileBytes(file("big.zdw"));
    ASSERT_GT(saved.size(), std::size_t{4} << 20);

    ASSERT_EQ(reopen(file("big.zdw")), eOk);
    EXPECT_EQ(db()->numObjects(), objects);
    EXPECT_EQ(db()->numProxies(), 0U);
    for (const int i : {0, kLines / 2 + 1, kLines - 1})
    {
        AcDbObjectId id;
        ASSERT_EQ(db()->getAcDbObjectId(id, false, lines[static_cast<std::size_t>(i)]), eOk);
        AcDbLine* line = nullptr;
        ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), eOk);
        EXPECT_EQ(line->endPoint(), AcGePoint3d(i, i, 1.5));
        line->close();
    }
    ASSERT_EQ(save(file("again.zdw")), eOk);
    EXPECT_EQ(fileBytes(file("again.zdw")), saved);

    std::string damaged = saved;
    damaged[damaged.size() - (std::size_t{3} << 20)] ^= 0x01;
    writeFile(file("damaged.zdw"), damaged);
    EXPECT_EQ(reopen(file("damaged.zdw")), Acad::eDwgCRCDoesNotMatch);
    EXPECT_EQ(db()->numObjects(), 0U);
}

// A record that its reader refuses, misreads or throws on stays a proxy and
// is written back byte for byte. Reading it whole once the class is back is
// the storage tests' part.
TEST_F(DrawingFileTest, ARecordItsReaderDoesNotTakeStaysAProxyAndIsWrittenBackByteForByte)
{
    const std::string original = savedRecordDrawing(file("a.zdw"));
    for (const auto reading : {FileTestRecord::Reading::kAsProxy,
                               FileTestRecord::Reading::kByThrowing,
                               FileTestRecord::Reading::kOnlyPartly})
    {
        FileTestRecord::s_reading = reading;
        ASSERT_EQ(reopen(file("a.zdw")), eOk);
        EXPECT_EQ(db()->numProxies(), 1U) << static_cast<int>(reading);
        ASSERT_EQ(save(file("b.zdw")), eOk);
        EXPECT_EQ(fileBytes(file("b.zdw")), original) << static_cast<int>(reading);
    }
}

// A record whose class is not registered stays a proxy that keeps what the
// class said of itself and is written back byte for byte. Without the
// erase-allowed proxy flag (0x1) the proxy can be neither erased nor replaced
// in its dictionary, which would erase it.
TEST_F(DrawingFileTest, AProxyKeepsItsClassAndRecordAndIsErasedOnlyWhenItsClassAllowsIt)
{
    for (const int flags : {0, 1})
    {
        SCOPED_TRACE(flags);
        unregisterRecordClass();
        registerRecordClass(flags);
        freshDatabase();
        const std::string original = savedRecordDrawing(file("a.zdw"));
        unregisterRecordClass();
        ASSERT_EQ(reopen(file("a.zdw")), eOk);
        auto* proxy = AcDbProxyObject::cast(openStored(L"Rec"));
        ASSERT_NE(proxy, nullptr);
        EXPECT_STREQ(proxy->originalClassName(), L"FileTestRecord");
        EXPECT_STREQ(proxy->originalDxfName(), L"FILETESTRECORD");
        EXPECT_STREQ(proxy->applicationDescription(), L"FileTestApp");
        EXPECT_EQ(proxy->proxyFlags(), flags);
        EXPECT_EQ(proxy->ownerId(), db()->namedObjectsDictionaryId());
        proxy->close();
        ASSERT_EQ(save(file("b.zdw")), eOk);
        EXPECT_EQ(fileBytes(file("b.zdw")), original);
        const Acad::ErrorStatus allowed = flags == 0 ? Acad::eNotAllowedForThisProxy : eOk;

        AcDbDictionary* namedObjects = nullptr;
        ASSERT_EQ(db()->getNamedObjectsDictionary(namedObjects, AcDb::kForWrite), eOk);
        AcDbObjectId proxyId;
        ASSERT_EQ(namedObjects->getAt(L"Rec", proxyId), eOk);
        auto* replacement = new AcDbDictionary;
        AcDbObjectId stored;
        const Acad::ErrorStatus replaced = namedObjects->setAt(L"REC", replacement, stored);
        EXPECT_EQ(replaced, allowed);
        if (replaced == eOk)
            replacement->close();
        else
            delete replacement;
        namedObjects->close();

        // With the flag, the proxy that the store erased may be unerased.
        AcDbObject* erasing = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(erasing, proxyId, AcDb::kForWrite, true), eOk);
        EXPECT_EQ(erasing->erase(!erasing->isErased()), allowed);
        erasing->close();
        EXPECT_FALSE(proxyId.isErased());
        EXPECT_EQ(db()->numProxies(), 1U);
        registerRecordClass();
    }
}

TEST_F(DrawingFileTest, ADamagedFileIsRefusedAndTheDatabaseStaysEmpty)
{
    const std::string good = savedRecordDrawing(file("good.zdw"));
    AcDbDatabase* empty = freshEmptyDatabase();
    const auto refuses = [&](const fs::path& path, Acad::ErrorStatus expected) {
        EXPECT_EQ(empty->readDwgFile(path.wstring().c_str()), expected) << path;
        EXPECT_EQ(empty->numObjects(), 0U) << path;
        EXPECT_TRUE(empty->namedObjectsDictionaryId().isNull()) << path;
    };
    const auto damaged = [&](const char* name, const std::string& bytes) {
        writeFile(file(name), bytes);
        return file(name);
    };

    refuses(file("missing.zdw"), Acad::eFileNotFound);
    refuses(file(""), Acad::eFileAccessErr);
    refuses(damaged("text.zdw", "hello"), Acad::eBadDwgHeader);
    refuses(damaged("short.zdw", good.substr(0, good.size() - 7)), Acad::eEndOfFile);
    refuses(damaged("header.zdw", good.substr(0, 20)), Acad::eEndOfFile);
    refuses(damaged("long.zdw", good + '\0'), Acad::eBadDwgHeader);
    for (const std::size_t at : {std::size_t{12}, std::size_t{70}, good.size() / 2, good.size() - 9})
    {
        std::string flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
        refuses(damaged("flipped.zdw", flipped), Acad::eDwgCRCDoesNotMatch);
    }

    EXPECT_EQ(empty->readDwgFile(file("good.zdw").wstring().c_str()), eOk);
    EXPECT_EQ(empty->readDwgFile(file("good.zdw").wstring().c_str()), Acad::eNotApplicable)
        << "a database that holds a drawing is not read into again";
}

// However a save fails (a record that fails to write, a database in a state
// no file may describe, as a seed below the handles it holds, or a path that
// is no file), the file there stays as it was and nothing is left beside it.
TEST_F(DrawingFileTest, AFailedSaveLeavesThePreviousFileAsItWas)
{
    const std::string before = savedRecordDrawing(file("a.zdw"));
    appendToModelSpace(new AcDbLine);
    AcDbImpDatabase* imp = AcDbImpDatabase::of(db());
    const Adesk::UInt64 seed = imp->handseed();
    fs::create_directory(file("folder.zdw"));
    const struct
    {
        const char* what;
        fs::path path;
        bool failWriting;
        Adesk::UInt64 seed;
        Acad::ErrorStatus status;
    } rows[] = {
        {"a record fails to write", file("a.zdw"), true, seed, Acad::eFilerError},
        {"a seed below the handles", file("a.zdw"), false, 3, Acad::eFileInternalErr},
        {"the null seed", file("a.zdw"), false, 0, Acad::eFileInternalErr},
        {"no next handle", file("a.zdw"), false, ~Adesk::UInt64{0}, Acad::eFileInternalErr},
        {"a folder", file("folder.zdw"), false, seed, Acad::eFileAccessErr},
        {"a missing folder", file("no-such-folder/a.zdw"), false, seed, Acad::eFileAccessErr},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.what);
        FileTestRecord::s_failWriting = row.failWriting;
        imp->setHandseed(AcDbHandle(row.seed));
        EXPECT_EQ(save(row.path), row.status);
        EXPECT_EQ(fileBytes(file("a.zdw")), before);
    }
    EXPECT_TRUE(fs::is_directory(file("folder.zdw")));
    const fs::directory_iterator files(m_files.path());
    EXPECT_EQ(std::distance(files, {}), 2) << "no temporary file may stay behind";
    FileTestRecord::s_failWriting = false;
    EXPECT_EQ(save(file("a.zdw")), eOk) << "the refusals leave the drawing saveable";
}
} // namespace
