#include "cadhost/DrawingFileReader.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbImpProxyObject.h"
#include "cadhost/DrawingClassInfo.h"
#include "cadhost/DrawingFileHeader.h"
#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/FileAccess.h"
#include "cadhost/Utf8Text.h"
#include "host/AcDbDictionary.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcRxClass.h"
#include "host/AcRxDictionary.h"

#include <cstdio>

namespace cadhost
{
namespace
{
constexpr std::size_t kChecksumSize = 4;

struct ObjectEntry
{
    Adesk::UInt64 handle;
    Adesk::UInt32 classIndex;
    std::size_t offset;
    std::size_t size;
};

// A new, empty object of the registered class of that name; null when no
// registered class makes database objects under it.
AcDbObject* construct(const DrawingClassInfo& info)
{
    const AcRxDictionary* classes = acrxClassDictionary;
    AcRxClass* cls = classes != nullptr ? AcRxClass::cast(classes->at(info.name.c_str())) : nullptr;
    AcRxObject* made = cls != nullptr ? cls->create() : nullptr;
    AcDbObject* object = AcDbObject::cast(made);
    if (object == nullptr)
        delete made;
    return object;
}

bool fillsCleanly(AcDbObject& object, AcDbStub* stub, const std::uint8_t* record,
                  std::size_t size, AcDbDatabase& database)
{
    DwgMemoryFiler filer(&database, AcDb::kFileFiler);
    filer.setBuffer(std::vector<std::uint8_t>(record, record + size));
    AcDbImpObject* imp = AcDbImpObject::of(&object);
    imp->beginFilingIn(stub);
    Acad::ErrorStatus es = Acad::eOk;
    try
    {
        es = object.dwgInFields(&filer);
    }
    catch (...)
    {
        es = Acad::eDwgObjectImproperlyRead;
    }
    imp->endFilingIn();
    return es == Acad::eOk && filer.filerStatus() == Acad::eOk &&
           filer.tell() == static_cast<Adesk::Int64>(size);
}

class DrawingFileReader
{
public:
    explicit DrawingFileReader(std::vector<std::uint8_t> file) { mFile.setBuffer(std::move(file)); }

    Acad::ErrorStatus check()
    {
        if (const Acad::ErrorStatus es = mHeader.readFrom(mFile); es != Acad::eOk)
            return es;
        const std::uint8_t* data = mFile.data();
        if (!checksumMatches(data + classTableStart(), mHeader.classTableSize) ||
            !checksumMatches(data + objectTableStart(), mHeader.objectTableSize))
            return Acad::eDwgCRCDoesNotMatch;
        return readClassTable() && readObjectIndex() ? Acad::eOk : Acad::eDwgObjectImproperlyRead;
    }

    Acad::ErrorStatus build(AcDbDatabase& database)
    {
        AcDbImpDatabase* imp = AcDbImpDatabase::of(&database);
        for (const ObjectEntry& entry : mObjects)
            imp->addStub(entry.handle);
        imp->setHandseed(mHeader.handseed);
        for (std::size_t i = 0; i < mObjects.size(); ++i)
            makeObject(mObjects[i], imp->stubs()[i].get(), database);
        AcDbObjectId namedObjects;
        AcDbObjectId blockTable;
        if (!findRoot(*imp, mHeader.namedObjectsHandle, AcDbDictionary::desc(), namedObjects) ||
            !findRoot(*imp, mHeader.blockTableHandle, AcDbBlockTable::desc(), blockTable))
            return Acad::eDwgObjectImproperlyRead;
        imp->setRootIds(namedObjects, blockTable);
        return Acad::eOk;
    }

private:
    std::size_t classTableStart() const { return DrawingFileHeader::kSize; }
    std::size_t objectTableStart() const { return classTableStart() + mHeader.classTableSize; }

    bool readClassTable()
    {
        const auto end = static_cast<Adesk::Int64>(objectTableStart() - kChecksumSize);
        mFile.seek(static_cast<Adesk::Int64>(classTableStart()), SEEK_SET);
        for (Adesk::UInt32 i = 0; i < mHeader.classCount && mFile.tell() < end; ++i)
        {
            mClasses.emplace_back();
            mClasses.back().readFrom(mFile);
        }
        return mFile.filerStatus() == Acad::eOk && mClasses.size() == mHeader.classCount &&
               mFile.tell() == end;
    }

    // Entries must come in ascending handle order, below the handle seed,
    // with their records inside the table.
    bool readObjectIndex()
    {
        const auto end = static_cast<Adesk::Int64>(mFile.size() - kChecksumSize);
        mFile.seek(static_cast<Adesk::Int64>(objectTableStart()), SEEK_SET);
        Adesk::UInt64 previous = 0;
        for (Adesk::UInt32 i = 0; i < mHeader.objectCount; ++i)
        {
            ObjectEntry entry{};
            Adesk::UInt32 size = 0;
            mFile.readUInt64(&entry.handle);
            mFile.readUInt32(&entry.classIndex);
            mFile.readUInt32(&size);
            entry.offset = static_cast<std::size_t>(mFile.tell());
            entry.size = size;
            if (mFile.filerStatus() != Acad::eOk || entry.handle <= previous ||
                entry.handle >= mHeader.handseed || entry.classIndex >= mClasses.size() ||
                size > end - mFile.tell())
                return false;
            mFile.seek(size, SEEK_CUR);
            previous = entry.handle;
            mObjects.push_back(entry);
        }
        return mFile.tell() == end;
    }

    void makeObject(const ObjectEntry& entry, AcDbStub* stub, AcDbDatabase& database)
    {
        const DrawingClassInfo& info = mClasses[entry.classIndex];
        const std::uint8_t* record = mFile.data() + entry.offset;
        AcDbObject* object = construct(info);
        if (object != nullptr && fillsCleanly(*object, stub, record, entry.size, database))
            return;
        if (object != nullptr)
        {
            AcDbImpObject::of(object)->leaveStub();
            delete object;
        }
        fillsCleanly(*AcDbImpProxyObject::create(info), stub, record, entry.size, database);
    }

    static bool findRoot(const AcDbImpDatabase& database, AcDbHandle handle,
                         const AcRxClass* cls, AcDbObjectId& id)
    {
        if (handle.isNull())
            return true;
        AcDbStub* stub = database.stubOf(handle);
        if (stub == nullptr || stub->object() == nullptr || !stub->object()->isKindOf(cls))
            return false;
        id = AcDbObjectId(stub);
        return true;
    }

    DwgMemoryFiler mFile;
    DrawingFileHeader mHeader;
    std::vector<DrawingClassInfo> mClasses;
    std::vector<ObjectEntry> mObjects;
};
} // namespace

Acad::ErrorStatus readDrawingFile(AcDbDatabase& database, const ACHAR* fileName)
{
    if (fileName == nullptr || fileName[0] == L'\0')
        return Acad::eInvalidInput;
    if (!AcDbImpDatabase::of(&database)->isEmpty())
        return Acad::eNotApplicable;
    std::vector<std::uint8_t> file;
    if (const Acad::ErrorStatus es = readWholeFile(toUtf8(fileName), file); es != Acad::eOk)
        return es;
    DrawingFileReader reader(std::move(file));
    if (const Acad::ErrorStatus es = reader.check(); es != Acad::eOk)
        return es;
    AcDbDatabase aside(false, true);
    if (const Acad::ErrorStatus es = reader.build(aside); es != Acad::eOk)
        return es;
    AcDbImpDatabase::swapContent(database, aside);
    return Acad::eOk;
}
} // namespace cadhost
