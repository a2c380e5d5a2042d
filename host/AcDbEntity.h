// An object drawn in a block table record.
#pragma once

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
    // nothing.
    Acad::ErrorStatus setVisibility(AcDb::Visibility newVal, Adesk::Boolean doSubents = true);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    AcDbEntity();

private:
    AcDb::Visibility mVisibility = AcDb::kVisible;
};
