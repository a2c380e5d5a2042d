// What a drawing file records about the class of its objects, so that a
// reader without the class can still keep and write back its objects.
#pragma once

#include "cadhost/FilingRules.h"
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
    // The format the records of its objects were written in: a proxy keeps
    // that of the file it was read from.
    Adesk::UInt32 recordFormat = kCurrentRecordFormat;

    static DrawingClassInfo of(const AcRxClass& cls);

    // In the current format.
    void writeTo(AcDbDwgFiler& filer) const;
    // From a file of that format version, whose class entries say the
    // records' format from the second version on.
    void readFrom(AcDbDwgFiler& filer, Adesk::UInt32 fileVersion);
};
} // namespace cadhost
