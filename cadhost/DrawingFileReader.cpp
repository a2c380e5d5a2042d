#include "cadhost/DrawingFileReader.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbImpProxyObject.h"
#include "cadhost/Crc32.h"
#include "cadhost/DrawingClassInfo.h"
#include "cadhost/DrawingFileHeader.h"
#include "cadhost/DrawingFileVariables.h"
#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/FileAccess.h"
#include "cadhost/ObjectTableRules.h"
#include "cadhost/Utf8Text.h"
#include "host/AcDbDictionary.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcRxClass.h"
#include "host/AcRxDictionary.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace cadhost
{
namespace
{
// Checksums are summed a window at a time.
constexpr std::size_t kSummedPiece = std::size_t{1} << 20;
// An object's entry in front of its record: handle, class index, length.
constexpr std::size_t kEntryHeaderSize = 16;

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the file's numbers are little-endian");

template <class T>
T numberAt(const std::uint8_t* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

struct ObjectEntry
{
    Adesk::UInt64 handle;
    Adesk::UInt32 classIndex;
    std::uint64_t offset;
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

// Files object in from the record the filer holds, from its start.
bool fillsCleanly(AcDbObject& object, AcDbStub* stub, DwgMemoryFiler& record)
{
    record.rewind();
    AcDbImpObject* imp = AcDbImpObject::of(&object);
    imp->beginFilingIn(stub);
    Acad::ErrorStatus es = Acad::eOk;
    try
    {
        es = object.dwgInFields(&record);
    }
    catch (...)
    {
        es = Acad::eDwgObjectImproperlyRead;
    }
    imp->endFilingIn();
    return es == Acad::eOk && record.filerStatus() == Acad::eOk &&
           record.tell() == static_cast<Adesk::Int64>(record.size());
}

class DrawingFileReader
{
public:
    explicit DrawingFileReader(FileReader& file) : mFile(file) {}

    Acad::ErrorStatus check()
    {
        const std::uint8_t* start =
            mFile.bytesAt(0, static_cast<std::size_t>(std::min<std::uint64_t>(mFile.size(),
                                                                              DrawingFileHeader::kSize)));
        if (start == nullptr)
            return Acad::eFileAccessErr;
        if (const Acad::ErrorStatus es = mHeader.readFrom(start, mFile.size()); es != Acad::eOk)
            return es;
        bool variablesMatch = true;
        bool classesMatch = false;
        bool objectsMatch = false;
        if ((mHeader.variablesSize > 0 &&
             !sumMatches(mHeader.variablesStart(), mHeader.variablesSize, variablesMatch)) ||
            !sumMatches(mHeader.classTableStart(), mHeader.classTableSize, classesMatch) ||
            !sumMatches(mHeader.objectTableStart(), mHeader.objectTableSize, objectsMatch))
            return Acad::eFileAccessErr;
        if (!variablesMatch || !classesMatch || !objectsMatch)
            return Acad::eDwgCRCDoesNotMatch;
        return readClassTable() && readObjectIndex() ? Acad::eOk : Acad::eDwgObjectImproperlyRead;
    }

    // The content read into database, an empty one; eFileAccessErr when the
    // file can no longer be read as it was checked.
    Acad::ErrorStatus build(AcDbDatabase& database)
    {
        AcDbImpDatabase* imp = AcDbImpDatabase::of(&database);
        std::vector<AcDbStub*> stubs;
        stubs.reserve(mObjects.size());
        for (const ObjectEntry& entry : mObjects)
            stubs.push_back(imp->addStub(entry.handle));
        imp->setHandseed(mHeader.handseed);
        // A drawing of the first format gets the tables every drawing has
        // before its entities are read, since they are drawn on layer "0".
        const bool firstFormat = mHeader.version == DrawingFileHeader::kFirstVersion;
        if (firstFormat && mHeader.blockTableHandle != 0 && !makeDefaultTables(*imp))
            return Acad::eDwgObjectImproperlyRead;
        DwgMemoryFiler record(&database, AcDb::kFileFiler);
        for (std::size_t i = 0; i < mObjects.size(); ++i)
        {
            const ObjectEntry& entry = mObjects[i];
            const std::uint8_t* bytes = mFile.bytesAt(entry.offset, entry.size);
            if (bytes == nullptr)
                return Acad::eFileAccessErr;
            record.assignBuffer(bytes, entry.size);
            record.setRecordFormat(mClasses[entry.classIndex].recordFormat);
            makeObject(entry, stubs[i], record);
        }
        cadhost::RootIds roots = imp->roots();
        if (!findRoot(*imp, mHeader.namedObjectsHandle, AcDbDictionary::desc(), roots.namedObjects) ||
            !findRoot(*imp, mHeader.blockTableHandle, AcDbBlockTable::desc(), roots.blockTable))
            return Acad::eDwgObjectImproperlyRead;
        imp->setRoots(roots);
        return firstFormat ? Acad::eOk : readVariables(*imp);
    }

private:
    std::uint64_t objectTableEnd() const { return mFile.size() - kChecksumSize; }

    // The default tables take the handles after the file's: false when the
    // seed leaves no room for them.
    static bool makeDefaultTables(AcDbImpDatabase& database)
    {
        constexpr Adesk::UInt64 kTableObjects = 8;
        const auto seed = static_cast<Adesk::UInt64>(database.handseed());
        if (seed > std::numeric_limits<Adesk::UInt64>::max() - kTableObjects ||
            !isUsableHandseed(seed + kTableObjects))
            return false;
        database.buildDefaultTables();
        return true;
    }

    Acad::ErrorStatus readVariables(AcDbImpDatabase& database)
    {
        const auto size = static_cast<std::size_t>(mHeader.variablesSize - kChecksumSize);
        const std::uint8_t* bytes = mFile.bytesAt(mHeader.variablesStart(), size);
        if (bytes == nullptr)
            return Acad::eFileAccessErr;
        DwgMemoryFiler variables(database.database(), AcDb::kFileFiler);
        variables.assignBuffer(bytes, size);
        return cadhost::readVariables(database, variables);
    }

    // Sums the section a window at a time into matches; false when the file
    // cannot be read.
    bool sumMatches(std::uint64_t start, std::uint64_t sizeWithChecksum, bool& matches)
    {
        const std::uint64_t summed = sizeWithChecksum - kChecksumSize;
        std::uint32_t crc = 0;
        for (std::uint64_t done = 0; done < summed;)
        {
            const auto piece = static_cast<std::size_t>(std::min<std::uint64_t>(summed - done, kSummedPiece));
            const std::uint8_t* bytes = mFile.bytesAt(start + done, piece);
            if (bytes == nullptr)
                return false;
            crc = crc32(bytes, piece, crc);
            done += piece;
        }
        const std::uint8_t* stored = mFile.bytesAt(start + summed, kChecksumSize);
        matches = stored != nullptr && crc == storedChecksum(stored);
        return stored != nullptr;
    }

    bool readClassTable()
    {
        const auto size = static_cast<std::size_t>(mHeader.classTableSize - kChecksumSize);
        const std::uint8_t* bytes = mFile.bytesAt(mHeader.classTableStart(), size);
        if (bytes == nullptr)
            return false;
        DwgMemoryFiler table;
        table.assignBuffer(bytes, size);
        const auto end = static_cast<Adesk::Int64>(size);
        for (Adesk::UInt32 i = 0; i < mHeader.classCount && table.tell() < end; ++i)
        {
            mClasses.emplace_back();
            mClasses.back().readFrom(table, mHeader.version);
        }
        return table.filerStatus() == Acad::eOk && mClasses.size() == mHeader.classCount &&
               table.tell() == end;
    }

    // The seed and every entry must keep to the table's rules, and each
    // record must lie inside the table.
    bool readObjectIndex()
    {
        ObjectTableRules rules(mHeader.handseed, mClasses.size());
        if (!rules.admitsHandseed())
            return false;
        const std::uint64_t end = objectTableEnd();
        std::uint64_t at = mHeader.objectTableStart();
        for (Adesk::UInt32 i = 0; i < mHeader.objectCount; ++i)
        {
            const std::uint8_t* header = end - at >= kEntryHeaderSize ? mFile.bytesAt(at, kEntryHeaderSize) : nullptr;
            if (header == nullptr)
                return false;
            ObjectEntry entry{numberAt<Adesk::UInt64>(header), numberAt<Adesk::UInt32>(header + 8),
                              at + kEntryHeaderSize, numberAt<Adesk::UInt32>(header + 12)};
            if (!rules.admits(entry.handle, entry.classIndex) || entry.size > end - entry.offset)
                return false;
            at = entry.offset + entry.size;
            mObjects.push_back(entry);
        }
        return at == end;
    }

    void makeObject(const ObjectEntry& entry, AcDbStub* stub, DwgMemoryFiler& record)
    {
        const DrawingClassInfo& info = mClasses[entry.classIndex];
        // A format this reader does not know is read by no class.
        AcDbObject* object = info.recordFormat <= kCurrentRecordFormat ? construct(info) : nullptr;
        if (object != nullptr && fillsCleanly(*object, stub, record))
            return;
        if (object != nullptr)
        {
            AcDbImpObject::of(object)->leaveStub();
            delete object;
        }
        fillsCleanly(*AcDbImpProxyObject::create(info), stub, record);
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

    FileReader& mFile;
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
    FileReader file;
    if (const Acad::ErrorStatus es = file.open(toUtf8(fileName)); es != Acad::eOk)
        return es;
    DrawingFileReader reader(file);
    if (const Acad::ErrorStatus es = reader.check(); es != Acad::eOk)
        return es;
    AcDbDatabase aside(false, true);
    if (const Acad::ErrorStatus es = reader.build(aside); es != Acad::eOk)
        return es;
    AcDbImpDatabase::swapContent(database, aside);
    return Acad::eOk;
}
} // namespace cadhost
