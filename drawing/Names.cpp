#include "drawing/Names.h"

#include "cadhost/Utf8Text.h"
#include "drawing/Opened.h"

std::string HandleText(const AcDbHandle& handle)
{
    ACHAR buffer[17] = {};
    handle.getIntoAsciiBuffer(buffer, sizeof buffer / sizeof buffer[0]);
    return cadhost::toUtf8(buffer);
}

std::optional<std::string> BlockName(AcDbObjectId definition)
{
    const Opened<AcDbBlockTableRecord> record = OpenObject<AcDbBlockTableRecord>(definition, AcDb::kForRead);
    const ACHAR* name = nullptr;
    if (!record || record->getName(name) != Acad::eOk || name == nullptr)
        return std::nullopt;
    return cadhost::toUtf8(name);
}
