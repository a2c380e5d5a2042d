#include "host/AcDbEntity.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/EntityRules.h"
#include "cadhost/FilingRules.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/HostClassRegistrar.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbDwgFiler.h"
#include "host/AcDbSymbolTable.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbEntity, ACRX_T("AcDbObject"), nullptr, nullptr);

AcDbEntity::AcDbEntity() { mColor.setColorIndex(AcCmEntityColor::kACInone); }
AcDbEntity::~AcDbEntity() = default;

AcDbObjectId AcDbEntity::blockId() const
{
    assertReadEnabled();
    return ownerId();
}

AcDb::Visibility AcDbEntity::visibility() const
{
    assertReadEnabled();
    return mVisibility;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility newVal, Adesk::Boolean)
{
    return cadhost::setField(this, mVisibility, newVal);
}

AcCmColor AcDbEntity::color() const
{
    assertReadEnabled();
    return mColor;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, Adesk::Boolean)
{
    return cadhost::setField(this, mColor, color);
}

Adesk::UInt16 AcDbEntity::colorIndex() const
{
    assertReadEnabled();
    return mColor.colorIndex();
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, Adesk::Boolean)
{
    AcCmColor indexed;
    if (const Acad::ErrorStatus es = indexed.setColorIndex(color); es != Acad::eOk)
        return es;
    return cadhost::setField(this, mColor, indexed);
}

namespace
{
// The name of a record, read whatever its open state, as the host reads it.
ACHAR* recordName(AcDbObjectId id)
{
    const AcDbStub* stub = static_cast<AcDbStub*>(id);
    const AcDbObject* object = stub != nullptr ? stub->object() : nullptr;
    const auto* record = object != nullptr ? AcDbSymbolTableRecord::cast(object) : nullptr;
    if (record == nullptr)
        return nullptr;
    const AcDbImpObject::HostReadAccess access(record);
    const ACHAR* name = nullptr;
    record->getName(name);
    return cadhost::newHostBuffer(name);
}

// The database an entity looks names up in: its own, else the working one.
AcDbDatabase* lookUpDatabase(const AcDbEntity& entity)
{
    AcDbDatabase* own = entity.database();
    return own != nullptr ? own : acdbHostApplicationServices()->workingDatabase();
}

// The record of that name in the table of the entity's database.
template <class Table>
Acad::ErrorStatus findRecord(const AcDbEntity& entity, const ACHAR* name, AcDbObjectId& id)
{
    AcDbDatabase* database = lookUpDatabase(entity);
    if (database == nullptr)
        return Acad::eNoDatabase;
    if (name == nullptr)
        return Acad::eInvalidInput;
    Table* table = nullptr;
    if (const Acad::ErrorStatus es = database->getSymbolTable(table, AcDb::kForRead); es != Acad::eOk)
        return es;
    const Acad::ErrorStatus es = table->getAt(name, id);
    table->close();
    return es;
}

} // namespace

ACHAR* AcDbEntity::layer() const
{
    assertReadEnabled();
    return recordName(mLayer);
}

AcDbObjectId AcDbEntity::layerId() const
{
    assertReadEnabled();
    return mLayer;
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* newVal, Adesk::Boolean doSubents, bool allowHiddenLayer)
{
    AcDbObjectId id;
    if (const Acad::ErrorStatus es = findRecord<AcDbLayerTable>(*this, newVal, id); es != Acad::eOk)
        return es;
    return setLayer(id, doSubents, allowHiddenLayer);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId newVal, Adesk::Boolean, bool)
{
    if (const Acad::ErrorStatus es = cadhost::checkRecord(*this, newVal, AcDbLayerTableRecord::desc()); es != Acad::eOk)
        return es;
    return cadhost::setField(this, mLayer, newVal);
}

ACHAR* AcDbEntity::linetype() const
{
    assertReadEnabled();
    return recordName(mLinetype);
}

AcDbObjectId AcDbEntity::linetypeId() const
{
    assertReadEnabled();
    return mLinetype;
}

Acad::ErrorStatus AcDbEntity::setLinetype(const ACHAR* newVal, Adesk::Boolean doSubents)
{
    AcDbObjectId id;
    if (const Acad::ErrorStatus es = findRecord<AcDbLinetypeTable>(*this, newVal, id); es != Acad::eOk)
        return es;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId newVal, Adesk::Boolean)
{
    if (const Acad::ErrorStatus es = cadhost::checkRecord(*this, newVal, AcDbLinetypeTableRecord::desc()); es != Acad::eOk)
        return es;
    return cadhost::setField(this, mLinetype, newVal);
}

double AcDbEntity::linetypeScale() const
{
    assertReadEnabled();
    return mLinetypeScale;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double newval, Adesk::Boolean)
{
    if (!cadhost::isPositive(newval))
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = cadhost::setField(this, mLinetypeScale, newval); es != Acad::eOk)
        return es;
    mScaleGiven = true;
    return Acad::eOk;
}

AcDb::LineWeight AcDbEntity::lineWeight() const
{
    assertReadEnabled();
    return mLineWeight;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight newVal, Adesk::Boolean)
{
    if (!cadhost::isLineWeight(newVal))
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = cadhost::setField(this, mLineWeight, newVal); es != Acad::eOk)
        return es;
    mWeightGiven = true;
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults() { setDatabaseDefaults(lookUpDatabase(*this)); }

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* pDb)
{
    if (AcDbImpObject::beginChange(this) == Acad::eOk)
        takeDefaults(pDb, false);
}

void AcDbEntity::takeDatabaseDefaults() { takeDefaults(database(), true); }

void AcDbEntity::takeDefaults(AcDbDatabase* pDb, bool onlyMissing)
{
    if (pDb == nullptr)
        return;
    if (!onlyMissing || mLayer.isNull())
        mLayer = pDb->clayer();
    if (!onlyMissing || mLinetype.isNull())
        mLinetype = pDb->celtype();
    if (!onlyMissing || mColor.isNone())
        mColor = pDb->cecolor();
    if (!onlyMissing || !mScaleGiven)
        mLinetypeScale = pDb->celtscale();
    if (!onlyMissing || !mWeightGiven)
        mLineWeight = pDb->celweight();
    mScaleGiven = true;
    mWeightGiven = true;
    subSetDatabaseDefaults(pDb);
}

void AcDbEntity::subSetDatabaseDefaults(AcDbDatabase*) {}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents&) const
{
    assertReadEnabled();
    return Acad::eNotApplicable;
}

// A record of the first format holds the visibility alone: such an entity
// was drawn on layer "0", by layer, before drawings had layers.
Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(pFiler);
    bool invisible = false;
    pFiler->readBool(&invisible);
    mVisibility = invisible ? AcDb::kInvisible : AcDb::kVisible;
    mScaleGiven = true;
    mWeightGiven = true;
    if (cadhost::recordFormat(pFiler) == cadhost::kFirstRecordFormat)
    {
        const AcDbImpDatabase* database =
            pFiler->database() != nullptr ? AcDbImpDatabase::of(pFiler->database()) : nullptr;
        mLayer = database != nullptr ? database->kept().layerZero : AcDbObjectId::kNull;
        mLinetype = database != nullptr ? database->kept().byLayer : AcDbObjectId::kNull;
        mColor.setByLayer();
        mLinetypeScale = 1.0;
        mLineWeight = AcDb::kLnWtByLayer;
        return pFiler->filerStatus();
    }
    Adesk::UInt32 color = 0;
    pFiler->readUInt32(&color);
    AcDbHardPointerId layer;
    pFiler->readHardPointerId(&layer);
    AcDbHardPointerId linetype;
    pFiler->readHardPointerId(&linetype);
    pFiler->readDouble(&mLinetypeScale);
    Adesk::Int16 weight = 0;
    pFiler->readInt16(&weight);
    mLayer = layer;
    mLinetype = linetype;
    mLineWeight = static_cast<AcDb::LineWeight>(weight);
    if (pFiler->filerStatus() == Acad::eOk &&
        (mColor.setColor(color) != Acad::eOk || !cadhost::isLineWeight(weight) || !cadhost::isPositive(mLinetypeScale)))
        pFiler->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(pFiler);
    pFiler->writeBool(mVisibility == AcDb::kInvisible);
    pFiler->writeUInt32(mColor.color());
    pFiler->writeHardPointerId(mLayer);
    pFiler->writeHardPointerId(mLinetype);
    pFiler->writeDouble(mLinetypeScale);
    return pFiler->writeInt16(static_cast<Adesk::Int16>(mLineWeight));
}
