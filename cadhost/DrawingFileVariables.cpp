#include "cadhost/DrawingFileVariables.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/EntityRules.h"
#include "host/AcDbProxyObject.h"
#include "host/AcDbSymbolTable.h"

namespace cadhost
{
namespace
{
AcDbObjectId readId(DwgMemoryFiler& filer)
{
    AcDbHardPointerId id;
    filer.readHardPointerId(&id);
    return id;
}

// The live object of id when it is one of T, read as the host reads it.
template <class T> const T* objectOf(AcDbObjectId id)
{
    const AcDbStub* stub = static_cast<AcDbStub*>(id);
    const AcDbObject* object = stub != nullptr && !stub->isErased() ? stub->object() : nullptr;
    return object != nullptr ? T::cast(object) : nullptr;
}

// The record of that name in the table; null when it has none.
AcDbObjectId recordOf(const AcDbSymbolTable& table, const ACHAR* name)
{
    const AcDbImpObject::HostReadAccess access(&table);
    AcDbObjectId id;
    table.getAt(name, id);
    return id;
}

bool isRecordOf(AcDbObjectId record, AcDbObjectId table)
{
    const AcDbObject* object = objectOf<AcDbSymbolTableRecord>(record);
    return object != nullptr && AcDbImpObject::of(object)->ownerId() == table;
}
} // namespace

void writeVariables(const AcDbImpDatabase& database, DwgMemoryFiler& filer)
{
    const RootIds& roots = database.roots();
    const DatabaseVariables& values = database.variables();
    for (const AcDbObjectId id : {roots.layerTable, roots.linetypeTable, roots.textStyleTable, values.clayer,
                                  values.celtype, values.textstyle})
        filer.writeHardPointerId(id);
    filer.writeUInt32(values.cecolor.color());
    filer.writeDouble(values.celtscale);
    filer.writeInt16(static_cast<Adesk::Int16>(values.celweight));
    filer.writeInt16(static_cast<Adesk::Int16>(values.insunits));
}

Acad::ErrorStatus readVariables(AcDbImpDatabase& database, DwgMemoryFiler& filer)
{
    RootIds roots = database.roots();
    roots.layerTable = readId(filer);
    roots.linetypeTable = readId(filer);
    roots.textStyleTable = readId(filer);
    DatabaseVariables values;
    values.clayer = readId(filer);
    values.celtype = readId(filer);
    values.textstyle = readId(filer);
    Adesk::UInt32 color = 0;
    filer.readUInt32(&color);
    filer.readDouble(&values.celtscale);
    Adesk::Int16 weight = 0;
    filer.readInt16(&weight);
    Adesk::Int16 units = 0;
    filer.readInt16(&units);
    values.celweight = static_cast<AcDb::LineWeight>(weight);
    values.insunits = static_cast<AcDb::UnitsValue>(units);
    if (filer.filerStatus() != Acad::eOk || filer.tell() != static_cast<Adesk::Int64>(filer.size()))
        return Acad::eDwgObjectImproperlyRead;
    const bool valuesTaken = values.cecolor.setColor(color) == Acad::eOk && !values.cecolor.isNone() &&
                             isPositive(values.celtscale) && isLineWeight(weight) &&
                             units >= AcDb::kUnitsUndefined && units <= AcDb::kUnitsMax;
    if (!valuesTaken)
        return Acad::eDwgObjectImproperlyRead;
    database.variables() = values;
    if (roots.blockTable.isNull() && roots.layerTable.isNull() && roots.linetypeTable.isNull() &&
        roots.textStyleTable.isNull())
        return Acad::eOk;

    const auto* layers = objectOf<AcDbLayerTable>(roots.layerTable);
    const auto* linetypes = objectOf<AcDbLinetypeTable>(roots.linetypeTable);
    const auto* styles = objectOf<AcDbTextStyleTable>(roots.textStyleTable);
    if (layers == nullptr || linetypes == nullptr || styles == nullptr)
        return Acad::eDwgObjectImproperlyRead;
    KeptRecords kept;
    kept.layerZero = recordOf(*layers, ACRX_T("0"));
    kept.byBlock = recordOf(*linetypes, ACRX_T("ByBlock"));
    kept.byLayer = recordOf(*linetypes, ACRX_T("ByLayer"));
    kept.continuous = recordOf(*linetypes, ACRX_T("Continuous"));
    kept.standardStyle = recordOf(*styles, ACRX_T("Standard"));
    const bool keptFound = !kept.layerZero.isNull() && !kept.byBlock.isNull() && !kept.byLayer.isNull() &&
                           !kept.continuous.isNull() && !kept.standardStyle.isNull();
    const bool currentFound = isRecordOf(values.clayer, roots.layerTable) &&
                              isRecordOf(values.celtype, roots.linetypeTable) &&
                              isRecordOf(values.textstyle, roots.textStyleTable);
    if (!keptFound || !currentFound)
        return Acad::eDwgObjectImproperlyRead;
    database.setRoots(roots);
    database.setKept(kept);
    return Acad::eOk;
}
} // namespace cadhost
