#include "cadhost/DrawingClassInfo.h"

#include "cadhost/HostBuffer.h"
#include "host/AcDbDwgFiler.h"
#include "host/AcRxClass.h"

namespace cadhost
{
namespace
{
std::wstring textOf(const ACHAR* text) { return text != nullptr ? text : L""; }
} // namespace

DrawingClassInfo DrawingClassInfo::of(const AcRxClass& cls)
{
    DrawingClassInfo info;
    info.name = textOf(cls.name());
    info.dxfName = textOf(cls.dxfName());
    info.appName = textOf(cls.appName());
    info.proxyFlags = cls.proxyFlags();
    int dwgVersion = 0;
    int maintVersion = 0;
    cls.getClassVersion(dwgVersion, maintVersion);
    info.dwgVersion = dwgVersion;
    info.maintVersion = maintVersion;
    return info;
}

void DrawingClassInfo::writeTo(AcDbDwgFiler& filer) const
{
    filer.writeString(name.c_str());
    filer.writeString(dxfName.c_str());
    filer.writeString(appName.c_str());
    filer.writeInt32(proxyFlags);
    filer.writeInt32(dwgVersion);
    filer.writeInt32(maintVersion);
    filer.writeUInt32(recordFormat);
}

void DrawingClassInfo::readFrom(AcDbDwgFiler& filer, Adesk::UInt32 fileVersion)
{
    name = readFiledText(filer);
    dxfName = readFiledText(filer);
    appName = readFiledText(filer);
    filer.readInt32(&proxyFlags);
    filer.readInt32(&dwgVersion);
    filer.readInt32(&maintVersion);
    recordFormat = kFirstRecordFormat;
    if (fileVersion != kFirstRecordFormat)
        filer.readUInt32(&recordFormat);
}
} // namespace cadhost
