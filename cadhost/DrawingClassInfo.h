// What a drawing file records about the class of its objects, so that a
// reader without the class can still keep and write back its objects.
#pragma once

#include "host/WinTypes.h"

#include <string>

class AcRxClass;
class AcDbDwgFiler;

namespace cadhost
{
struct DrawingClassInfo
{
    std::wstring name;
    std::wstring dxfName;
    std::wstring appName;
    Adesk::Int32 proxyFlags = 0;
    Adesk::Int32 dwgVersion = 0;
    Adesk::Int32 maintVersion = 0;

    static DrawingClassInfo of(const AcRxClass& cls);

    void writeTo(AcDbDwgFiler& filer) const;
    void readFrom(AcDbDwgFiler& filer);
};
} // namespace cadhost
