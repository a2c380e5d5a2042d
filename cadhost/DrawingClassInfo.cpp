#include "cadhost/DrawingClassInfo.h"

#include "host/AcDbDwgFiler.h"
#include "host/AcRxClass.h"
#include "host/acutMem.h"

namespace cadhost
{
namespace
{
std::wstring textOf(const ACHAR* text) { return text != nullptr ? text : L""; }

std::wstring readText(AcDbDwgFiler& filer)
{
    ACHAR* buffer = nullptr;
    filer.readString(&buffer);
    std::wstring text = buffer;
    acutDelBuffer(buffer);
    return text;
}
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
}

void DrawingClassInfo::readFrom(AcDbDwgFiler& filer)
{
    name = readText(filer);
    dxfName = readText(filer);
    appName = readText(filer);
    filer.readInt32(&proxyFlags);
    filer.readInt32(&dwgVersion);
    filer.readInt32(&maintVersion);
}
} // namespace cadhost
