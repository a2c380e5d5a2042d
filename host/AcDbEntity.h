// An object drawn in a block table record, with what every entity has: a
// layer, a colour, a line type and its scale, a line weight and visibility.
//
// A new entity has none of the first five: its colour is "none" (index
// 257), its layer and line type ids are null. What it still lacks when it is
// appended to a block table record it takes from the database's current
// values (clayer, cecolor, celtype, celtscale, celweight); setDatabaseDefaults
// gives it all of them at once.
#pragma once

#include "host/AcCmColor.h"
#include "host/AcDbExtents.h"
#include "host/AcDbObject.h"

class AcDbEntity : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);
    ~AcDbEntity() override;

    // The block table record that owns the entity; null before it is appended.
    AcDbObjectId blockId() const;

    AcDb::Visibility visibility() const;
    // The plain entities here have no sub-entities, so doSubents changes
    // nothing, here and below.
    Acad::ErrorStatus setVisibility(AcDb::Visibility newVal, Adesk::Boolean doSubents = true);

    AcCmColor color() const;
    Acad::ErrorStatus setColor(const AcCmColor& color, Adesk::Boolean doSubents = true);
    Adesk::UInt16 colorIndex() const;
    // eInvalidInput above 257.
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, Adesk::Boolean doSubents = true);

    // The layer's name, a copy on the host's heap that the caller frees with
    // acutDelString; null while the entity has no layer.
    ACHAR* layer() const;
    AcDbObjectId layerId() const;
    // By name: a layer of the entity's database, or of the working database
    // for an entity in none (eNoDatabase when there is none); eKeyNotFound
    // when it has no layer of that name. By id: eWrongObjectType for an id
    // that is no layer, eWrongDatabase for one of another database.
    Acad::ErrorStatus setLayer(const ACHAR* newVal, Adesk::Boolean doSubents = true,
                               bool allowHiddenLayer = false);
    Acad::ErrorStatus setLayer(AcDbObjectId newVal, Adesk::Boolean doSubents = true,
                               bool allowHiddenLayer = false);

    // As the layer, for the line type table.
    ACHAR* linetype() const;
    AcDbObjectId linetypeId() const;
    Acad::ErrorStatus setLinetype(const ACHAR* newVal, Adesk::Boolean doSubents = true);
    Acad::ErrorStatus setLinetype(AcDbObjectId newVal, Adesk::Boolean doSubents = true);

    // 1.0 until given; eInvalidInput unless above 0 and finite.
    double linetypeScale() const;
    Acad::ErrorStatus setLinetypeScale(double newval, Adesk::Boolean doSubents = true);

    // By layer until given; eInvalidInput for a value that is no line weight.
    AcDb::LineWeight lineWeight() const;
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight newVal, Adesk::Boolean doSubents = true);

    // The current layer, colour, line type, line type scale and line weight
    // of the entity's database (or of the working database).
    void setDatabaseDefaults();
    void setDatabaseDefaults(AcDbDatabase* pDb);

    // The box the entity's geometry lies in, in the coordinates of the block
    // table record that holds it; eNotApplicable when it has none (a block
    // reference to an empty block).
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    AcDbEntity();
    // What a class adds to the database's defaults (a text takes the current
    // text style); called by setDatabaseDefaults and on appending.
    virtual void subSetDatabaseDefaults(AcDbDatabase* pDb);

private:
    friend class AcDbBlockTableRecord;
    // What appending takes from the database: only what was never given.
    void takeDatabaseDefaults();
    void takeDefaults(AcDbDatabase* pDb, bool onlyMissing);

    AcDb::Visibility mVisibility = AcDb::kVisible;
    AcCmColor mColor;
    AcDbObjectId mLayer;
    AcDbObjectId mLinetype;
    double mLinetypeScale = 1.0;
    AcDb::LineWeight mLineWeight = AcDb::kLnWtByLayer;
    // Whether the scale and weight were given (the others say so themselves).
    bool mScaleGiven = false;
    bool mWeightGiven = false;
};
