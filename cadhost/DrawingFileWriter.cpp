#include "cadhost/DrawingFileWriter.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbImpProxyObject.h"
#include "cadhost/Crc32.h"
#include "cadhost/DrawingFileHeader.h"
#include "cadhost/DrawingFileVariables.h"
#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/FileAccess.h"
#include "cadhost/ObjectTableRules.h"
#include "cadhost/Utf8Text.h"
#include "host/AcDbProxyObject.h"
#include "host/AcRxClass.h"

#include <cstdio>
#include <limits>
#include <unordered_map>
#include <vector>

namespace cadhost
{
namespace
{
// The class table in order of first use; a proxy files under the class it
// stands for, so that its record keeps its meaning for a reader that has
// that class, and under the format its record was written in: a class has
// an entry for each format its objects' records are in.
class ClassTable
{
public:
    // False for an object whose class the host cannot name.
    bool indexOf(const AcDbObject& object, Adesk::UInt32& index)
    {
        if (const AcDbProxyObject* proxy = AcDbProxyObject::cast(&object); proxy != nullptr)
        {
            index = add(AcDbImpProxyObject::of(proxy)->classInfo());
            return true;
        }
        const AcRxClass* cls = object.isA();
        if (cls == nullptr)
            return false;
        const auto known = mByClass.find(cls);
        index = known != mByClass.end() ? known->second : add(DrawingClassInfo::of(*cls));
        mByClass.emplace(cls, index);
        return true;
    }

    Adesk::UInt32 size() const { return static_cast<Adesk::UInt32>(mClasses.size()); }

    std::vector<std::uint8_t> section() const
    {
        DwgMemoryFiler filer;
        for (const DrawingClassInfo& info : mClasses)
            info.writeTo(filer);
        std::vector<std::uint8_t> bytes = filer.takeBuffer();
        appendChecksum(bytes);
        return bytes;
    }

private:
    Adesk::UInt32 add(const DrawingClassInfo& info)
    {
        const auto [at, added] = mByName.emplace(std::to_wstring(info.recordFormat) + L' ' + info.name, size());
        if (added)
            mClasses.push_back(info);
        return at->second;
    }

    std::vector<DrawingClassInfo> mClasses;
    // By format and name.
    std::unordered_map<std::wstring, Adesk::UInt32> mByName;
    std::unordered_map<const AcRxClass*, Adesk::UInt32> mByClass;
};

Acad::ErrorStatus fileObject(const AcDbObject& object, DwgMemoryFiler& filer)
{
    const AcDbImpObject::HostReadAccess access(&object);
    Acad::ErrorStatus es = Acad::eOk;
    try
    {
        es = object.dwgOutFields(&filer);
    }
    catch (...)
    {
        es = Acad::eFilerError;
    }
    return es != Acad::eOk ? es : filer.filerStatus();
}

// Each entry: handle, class index, record length, record.
Acad::ErrorStatus writeObjectEntry(const AcDbStub& stub, Adesk::UInt32 classIndex,
                                   DwgMemoryFiler& filer)
{
    filer.writeUInt64(stub.handle());
    filer.writeUInt32(classIndex);
    const Adesk::Int64 lengthAt = filer.tell();
    filer.writeUInt32(0);
    if (const Acad::ErrorStatus es = fileObject(*stub.object(), filer); es != Acad::eOk)
        return es;
    const Adesk::Int64 length = filer.tell() - lengthAt - 4;
    if (length > std::numeric_limits<Adesk::UInt32>::max())
        return Acad::eFilerError;
    filer.seek(lengthAt, SEEK_SET);
    filer.writeUInt32(static_cast<Adesk::UInt32>(length));
    filer.seek(0, SEEK_END);
    return filer.filerStatus();
}

// The object table as it is written: entries gather in a filer, which is
// summed and handed to the file whenever it holds a megabyte. Each entry is
// held to the rules the reader holds it to, so that a database in a state no
// file may describe (handles out of order, or not below the seed) fails the
// save rather than replacing the drawing with one the reader refuses.
class ObjectTableWriter
{
public:
    ObjectTableWriter(const AcDbImpDatabase& database, Adesk::UInt32 classCount, FileReplacement& file)
        : mEntries(database.database(), AcDb::kFileFiler),
          mRules(database.handseed(), classCount),
          mFile(file)
    {
    }

    Acad::ErrorStatus add(const AcDbStub& stub, Adesk::UInt32 classIndex)
    {
        if (!mRules.admits(stub.handle(), classIndex))
            return Acad::eFileInternalErr;
        const Acad::ErrorStatus es = writeObjectEntry(stub, classIndex, mEntries);
        if (es == Acad::eOk && mEntries.size() >= kFlushBytes)
            flush();
        return es;
    }

    // Ends the table with its checksum; the table's size.
    std::uint64_t finish()
    {
        flush();
        const auto checksum = checksumBytes(mCrc);
        mFile.append(checksum.data(), checksum.size());
        return mSize + checksum.size();
    }

private:
    static constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

    void flush()
    {
        mCrc = crc32(mEntries.data(), mEntries.size(), mCrc);
        mFile.append(mEntries.data(), mEntries.size());
        mSize += mEntries.size();
        mEntries.clear();
    }

    DwgMemoryFiler mEntries;
    ObjectTableRules mRules;
    FileReplacement& mFile;
    std::uint32_t mCrc = 0;
    std::uint64_t mSize = 0;
};

// Drawing files are written from the two root objects down through owners,
// so an object goes in when it is live and so are its owners, up to a root.
// An object without an owner is left out, and with it what it owns. The
// answer for each owner is kept, since most objects share a few owners.
class WrittenObjects
{
public:
    explicit WrittenObjects(const AcDbImpDatabase& database) : mDatabase(database) {}

    bool isWritten(const AcDbStub& stub)
    {
        mPending.clear();
        bool written = false;
        for (const AcDbStub* at = &stub;;)
        {
            if (const auto known = mOwnerWritten.find(at); known != mOwnerWritten.end())
            {
                written = known->second;
                break;
            }
            const AcDbObject* object = at->object();
            if (object == nullptr || AcDbImpObject::of(object)->isErased())
                break;
            if (mDatabase.isRoot(at))
            {
                written = true;
                break;
            }
            // Marked unwritten while its answer is pending: an ownership
            // loop meets the mark and reaches no root.
            if (at != &stub)
            {
                mOwnerWritten.emplace(at, false);
                mPending.push_back(at);
            }
            at = static_cast<const AcDbStub*>(AcDbImpObject::of(object)->ownerId());
            if (at == nullptr)
                break;
        }
        for (const AcDbStub* owner : mPending)
            mOwnerWritten[owner] = written;
        return written;
    }

private:
    const AcDbImpDatabase& mDatabase;
    std::unordered_map<const AcDbStub*, bool> mOwnerWritten;
    std::vector<const AcDbStub*> mPending;
};

struct LiveObject
{
    const AcDbStub* stub;
    Adesk::UInt32 classIndex;
};
} // namespace

// The classes are gathered first, since their table comes before the
// objects'; the header goes last, over room kept for it, once the sizes are
// known. An object whose class cannot be named fails the save only after the
// objects before it are filed, so that their failures still come first.
Acad::ErrorStatus writeDrawingFile(const AcDbImpDatabase& database, const ACHAR* fileName)
{
    if (fileName == nullptr || fileName[0] == L'\0')
        return Acad::eInvalidInput;
    if (!isUsableHandseed(database.handseed()))
        return Acad::eFileInternalErr;
    ClassTable classes;
    WrittenObjects written(database);
    std::vector<LiveObject> objects;
    bool unnamedClass = false;
    for (const AcDbStub& stub : database.stubs())
    {
        if (!written.isWritten(stub))
            continue;
        Adesk::UInt32 classIndex = 0;
        unnamedClass = !classes.indexOf(*stub.object(), classIndex);
        if (unnamedClass)
            break;
        objects.push_back({&stub, classIndex});
    }
    const std::vector<std::uint8_t> classTable = classes.section();
    DwgMemoryFiler variablesFiler(database.database(), AcDb::kFileFiler);
    writeVariables(database, variablesFiler);
    std::vector<std::uint8_t> variables = variablesFiler.takeBuffer();
    appendChecksum(variables);

    FileReplacement file(toUtf8(fileName));
    const std::uint8_t room[DrawingFileHeader::kSize] = {};
    file.append(room, sizeof room);
    file.append(variables.data(), variables.size());
    file.append(classTable.data(), classTable.size());
    ObjectTableWriter objectTable(database, classes.size(), file);
    for (const LiveObject& live : objects)
        if (const Acad::ErrorStatus es = objectTable.add(*live.stub, live.classIndex); es != Acad::eOk)
            return es;
    if (unnamedClass)
        return Acad::eNotThatKindOfClass;

    DrawingFileHeader header;
    header.classCount = classes.size();
    header.objectCount = static_cast<Adesk::UInt32>(objects.size());
    header.handseed = database.handseed();
    header.namedObjectsHandle = database.namedObjectsDictionaryId().handle();
    header.blockTableHandle = database.blockTableId().handle();
    header.variablesSize = variables.size();
    header.classTableSize = classTable.size();
    header.objectTableSize = objectTable.finish();
    DwgMemoryFiler headerFiler;
    header.writeTo(headerFiler);
    file.writeAt(0, headerFiler.data(), headerFiler.size());
    return file.commit();
}
} // namespace cadhost
