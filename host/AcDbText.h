// Text: a single line of it (AcDbText) and a paragraph of it (AcDbMText),
// each in a text style. Angles in radians.
#pragma once

#include "host/AcDbEntity.h"
#include "host/AcGePoint3d.h"

#include <string>

// A line of text standing on its position, or, for any alignment but left
// on the base line, on its alignment point.
class AcDbText : public AcDbEntity
{
public:
    ACRX_DECLARE_MEMBERS(AcDbText);
    AcDbText();
    AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId::kNull,
             double height = 0.0, double rotation = 0.0);
    ~AcDbText() override;

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& point);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // A copy on the host's heap, freed with acutDelString.
    ACHAR* textString() const;
    const ACHAR* textStringConst() const;
    Acad::ErrorStatus setTextString(const ACHAR* text);
    AcDbObjectId textStyle() const;
    // A text style of the database, or null for the database's current one
    // when the text is appended.
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    // eInvalidInput unless above 0 and finite.
    double height() const;
    Acad::ErrorStatus setHeight(double height);
    double rotation() const;
    Acad::ErrorStatus setRotation(double rotation);
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double widthFactor);
    double oblique() const;
    Acad::ErrorStatus setOblique(double oblique);
    AcDb::TextHorzMode horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const;
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    // Drawn backwards, and upside down.
    bool isMirroredInX() const;
    Acad::ErrorStatus mirrorInX(bool mirror);
    bool isMirroredInY() const;
    Acad::ErrorStatus mirrorInY(bool mirror);

    // The stand-in has no fonts: a character is taken as wide as the height
    // times the width factor, and the box covers the line from its base to
    // its height, turned and placed as the text stands.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    // An entity without a text style takes the database's current one.
    void subSetDatabaseDefaults(AcDbDatabase* pDb) override;

private:
    AcGePoint3d mPosition;
    AcGePoint3d mAlignment;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    std::wstring mText;
    AcDbObjectId mStyle;
    double mHeight = 1.0;
    double mRotation = 0.0;
    double mWidthFactor = 1.0;
    double mOblique = 0.0;
    Adesk::Int16 mHorizontal = AcDb::kTextLeft;
    Adesk::Int16 mVertical = AcDb::kTextBase;
    Adesk::UInt8 mMirror = 0;
};

// A paragraph of text with its formatting codes, wrapped at a width (0 for
// none), attached to its location at one of nine points.
class AcDbMText : public AcDbEntity
{
public:
    ACRX_DECLARE_MEMBERS(AcDbMText);

    enum AttachmentPoint
    {
        kTopLeft = 1,
        kTopCenter = 2,
        kTopRight = 3,
        kMiddleLeft = 4,
        kMiddleCenter = 5,
        kMiddleRight = 6,
        kBottomLeft = 7,
        kBottomCenter = 8,
        kBottomRight = 9
    };

    enum FlowDirection
    {
        kLtoR = 1,
        kRtoL = 2,
        kTtoB = 3,
        kBtoT = 4,
        kByStyle = 5
    };

    AcDbMText();
    ~AcDbMText() override;

    AcGePoint3d location() const;
    Acad::ErrorStatus setLocation(const AcGePoint3d& point);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // The direction of its lines; setting the rotation turns it about the
    // normal from the x axis.
    AcGeVector3d direction() const;
    Acad::ErrorStatus setDirection(const AcGeVector3d& direction);
    double rotation() const;
    Acad::ErrorStatus setRotation(double rotation);
    double width() const;
    // eInvalidInput below 0.
    Acad::ErrorStatus setWidth(double width);
    double textHeight() const;
    // eInvalidInput unless above 0 and finite.
    Acad::ErrorStatus setTextHeight(double height);
    AttachmentPoint attachment() const;
    Acad::ErrorStatus setAttachment(AttachmentPoint attachment);
    FlowDirection flowDirection() const;
    Acad::ErrorStatus setFlowDirection(FlowDirection direction);
    AcDb::LineSpacingStyle lineSpacingStyle() const;
    Acad::ErrorStatus setLineSpacingStyle(AcDb::LineSpacingStyle style);
    double lineSpacingFactor() const;
    // eInvalidInput outside 0.25 to 4.
    Acad::ErrorStatus setLineSpacingFactor(double factor);
    // The text with its formatting codes; a copy freed with acutDelString.
    ACHAR* contents() const;
    Acad::ErrorStatus setContents(const ACHAR* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);

    // As for AcDbText, over its width (or its longest line) and its lines
    // (paragraph breaks, \P), from its attachment point.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    // An entity without a text style takes the database's current one.
    void subSetDatabaseDefaults(AcDbDatabase* pDb) override;

private:
    AcGePoint3d mLocation;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    AcGeVector3d mDirection{1.0, 0.0, 0.0};
    double mWidth = 0.0;
    double mHeight = 1.0;
    Adesk::Int16 mAttachment = kTopLeft;
    Adesk::Int16 mFlow = kLtoR;
    Adesk::Int16 mSpacingStyle = AcDb::kAtLeast;
    double mSpacingFactor = 1.0;
    std::wstring mContents;
    AcDbObjectId mStyle;
};
