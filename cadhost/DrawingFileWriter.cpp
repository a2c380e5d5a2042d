#include "cadhost/DrawingFileWriter.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbImpProxyObject.h"
#include "cadhost/DrawingFileHeader.h"
#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/FileAccess.h"
#include "cadhost/Utf8Text.h"
#include "host/AcDbProxyObject.h"
#include "host/AcRxClass.h"

#include <cstdio>
#include <limits>
#include <unordered_map>

namespace cadhost
{
namespace
{
// The class table in order of first use; a proxy files under the class it
// stands for, so that its record keeps its meaning for a reader that has
// that class.
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
        const auto [at, added] = mByName.emplace(info.name, size());
        if (added)
            mClasses.push_back(info);
        return at->second;
    }

    std::vector<DrawingClassInfo> mClasses;
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
} // namespace

Acad::ErrorStatus writeDrawingFile(const AcDbImpDatabase& database, const ACHAR* fileName)
{
    if (fileName == nullptr || fileName[0] == L'\0')
        return Acad::eInvalidInput;
    DrawingFileHeader header;
    ClassTable classes;
    DwgMemoryFiler objects(database.database(), AcDb::kFileFiler);
    for (const auto& stub : database.stubs())
    {
        const AcDbObject* object = stub->object();
        if (object == nullptr || AcDbImpObject::of(object)->isErased())
            continue;
        Adesk::UInt32 classIndex = 0;
        if (!classes.indexOf(*object, classIndex))
            return Acad::eNotThatKindOfClass;
        if (const Acad::ErrorStatus es = writeObjectEntry(*stub, classIndex, objects);
            es != Acad::eOk)
            return es;
        ++header.objectCount;
    }
    std::vector<std::uint8_t> objectTable = objects.takeBuffer();
    appendChecksum(objectTable);
    const std::vector<std::uint8_t> classTable = classes.section();

    header.classCount = classes.size();
    header.handseed = database.handseed();
    header.namedObjectsHandle = database.namedObjectsDictionaryId().handle();
    header.blockTableHandle = database.blockTableId().handle();
    header.classTableSize = classTable.size();
    header.objectTableSize = objectTable.size();
    DwgMemoryFiler headerFiler;
    header.writeTo(headerFiler);
    const std::vector<std::uint8_t> headerBytes = headerFiler.takeBuffer();
    return replaceFileAtomically(toUtf8(fileName), {&headerBytes, &classTable, &objectTable});
}
} // namespace cadhost
