#include "host/AcDbText.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/EntityRules.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbDwgFiler.h"
#include "host/AcDbSymbolTable.h"

#include <algorithm>
#include <cmath>

ACRX_DEFINE_HOST_MEMBERS(AcDbText, ACRX_T("AcDbEntity"), ACRX_T("TEXT"), &cadhost::pseudoConstruct<AcDbText>);
ACRX_DEFINE_HOST_MEMBERS(AcDbMText, ACRX_T("AcDbEntity"), ACRX_T("MTEXT"), &cadhost::pseudoConstruct<AcDbMText>);

namespace
{
// The host's line spacing at a factor of 1: five thirds of the text height.
constexpr double kLineSpacing = 5.0 / 3.0;

Acad::ErrorStatus setStyle(AcDbEntity* text, AcDbObjectId& field, AcDbObjectId style)
{
    if (!style.isNull())
        if (const Acad::ErrorStatus es = cadhost::checkRecord(*text, style, AcDbTextStyleTableRecord::desc());
            es != Acad::eOk)
            return es;
    return cadhost::setField(text, field, style);
}

Acad::ErrorStatus setPositive(AcDbObject* object, double& field, double value)
{
    return cadhost::isPositive(value) ? cadhost::setField(object, field, value) : Acad::eInvalidInput;
}

template <class Mode> Acad::ErrorStatus setMode(AcDbObject* object, Adesk::Int16& field, Mode mode, int last)
{
    if (mode < 0 || mode > last)
        return Acad::eInvalidInput;
    return cadhost::setField(object, field, static_cast<Adesk::Int16>(mode));
}

// A box of width by height placed with its (dx, dy) corner on the anchor,
// turned by rotation about it.
void addTurnedBox(AcDbExtents& extents, const AcGePoint3d& anchor, double rotation, double dx, double dy,
                  double width, double height)
{
    const double c = std::cos(rotation);
    const double s = std::sin(rotation);
    for (const double x : {dx, dx + width})
        for (const double y : {dy, dy + height})
            extents.addPoint({anchor.x + c * x - s * y, anchor.y + s * x + c * y, anchor.z});
}

void writeStyle(AcDbDwgFiler* pFiler, AcDbObjectId style) { pFiler->writeHardPointerId(style); }

AcDbObjectId readStyle(AcDbDwgFiler* pFiler)
{
    AcDbHardPointerId style;
    pFiler->readHardPointerId(&style);
    return style;
}

bool modeRead(AcDbDwgFiler* pFiler, bool valid)
{
    if (pFiler->filerStatus() == Acad::eOk && !valid)
        pFiler->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    return pFiler->filerStatus() == Acad::eOk;
}
} // namespace

AcDbText::AcDbText() = default;

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style, double height,
                   double rotation)
    : mPosition(position), mText(text != nullptr ? text : L""), mStyle(style),
      mHeight(height > 0.0 ? height : 1.0), mRotation(rotation)
{
}

AcDbText::~AcDbText() = default;

AcGePoint3d AcDbText::position() const
{
    assertReadEnabled();
    return mPosition;
}

Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& position) { return cadhost::setField(this, mPosition, position); }

AcGePoint3d AcDbText::alignmentPoint() const
{
    assertReadEnabled();
    return mAlignment;
}

Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& point) { return cadhost::setField(this, mAlignment, point); }

AcGeVector3d AcDbText::normal() const
{
    assertReadEnabled();
    return mNormal;
}

Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& normal) { return cadhost::setField(this, mNormal, normal); }

ACHAR* AcDbText::textString() const
{
    assertReadEnabled();
    return cadhost::newHostBuffer(mText);
}

const ACHAR* AcDbText::textStringConst() const
{
    assertReadEnabled();
    return mText.c_str();
}

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text)
{
    return cadhost::setField(this, mText, std::wstring(text != nullptr ? text : L""));
}

AcDbObjectId AcDbText::textStyle() const
{
    assertReadEnabled();
    return mStyle;
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) { return setStyle(this, mStyle, style); }

double AcDbText::height() const
{
    assertReadEnabled();
    return mHeight;
}

Acad::ErrorStatus AcDbText::setHeight(double height) { return setPositive(this, mHeight, height); }

double AcDbText::rotation() const
{
    assertReadEnabled();
    return mRotation;
}

Acad::ErrorStatus AcDbText::setRotation(double rotation) { return cadhost::setField(this, mRotation, rotation); }

double AcDbText::widthFactor() const
{
    assertReadEnabled();
    return mWidthFactor;
}

Acad::ErrorStatus AcDbText::setWidthFactor(double widthFactor) { return setPositive(this, mWidthFactor, widthFactor); }

double AcDbText::oblique() const
{
    assertReadEnabled();
    return mOblique;
}

Acad::ErrorStatus AcDbText::setOblique(double oblique) { return cadhost::setField(this, mOblique, oblique); }

AcDb::TextHorzMode AcDbText::horizontalMode() const
{
    assertReadEnabled();
    return static_cast<AcDb::TextHorzMode>(mHorizontal);
}

Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode mode)
{
    return setMode(this, mHorizontal, mode, AcDb::kTextFit);
}

AcDb::TextVertMode AcDbText::verticalMode() const
{
    assertReadEnabled();
    return static_cast<AcDb::TextVertMode>(mVertical);
}

Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode mode)
{
    return setMode(this, mVertical, mode, AcDb::kTextTop);
}

bool AcDbText::isMirroredInX() const
{
    assertReadEnabled();
    return (mMirror & 2) != 0;
}

Acad::ErrorStatus AcDbText::mirrorInX(bool mirror)
{
    return cadhost::setField(this, mMirror, static_cast<Adesk::UInt8>(mirror ? mMirror | 2 : mMirror & ~2));
}

bool AcDbText::isMirroredInY() const
{
    assertReadEnabled();
    return (mMirror & 4) != 0;
}

Acad::ErrorStatus AcDbText::mirrorInY(bool mirror)
{
    return cadhost::setField(this, mMirror, static_cast<Adesk::UInt8>(mirror ? mMirror | 4 : mMirror & ~4));
}

void AcDbText::subSetDatabaseDefaults(AcDbDatabase* pDb)
{
    if (mStyle.isNull())
        mStyle = pDb->textstyle();
}

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    const double width = static_cast<double>(mText.size()) * mHeight * mWidthFactor;
    if (mHorizontal == AcDb::kTextAlign || mHorizontal == AcDb::kTextFit)
    {
        const double run = std::hypot(mAlignment.x - mPosition.x, mAlignment.y - mPosition.y);
        addTurnedBox(extents, mPosition, std::atan2(mAlignment.y - mPosition.y, mAlignment.x - mPosition.x), 0.0,
                     0.0, run, mHeight);
        return Acad::eOk;
    }
    const bool onPosition = mHorizontal == AcDb::kTextLeft && mVertical == AcDb::kTextBase;
    const double dx = mHorizontal == AcDb::kTextLeft ? 0.0 : mHorizontal == AcDb::kTextRight ? -width : -width / 2;
    const double dy = mHorizontal == AcDb::kTextMid || mVertical == AcDb::kTextVertMid ? -mHeight / 2
                      : mVertical == AcDb::kTextTop                                    ? -mHeight
                                                                                       : 0.0;
    addTurnedBox(extents, onPosition ? mPosition : mAlignment, mRotation, dx, dy, width, mHeight);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readPoint3d(&mPosition);
    pFiler->readPoint3d(&mAlignment);
    pFiler->readVector3d(&mNormal);
    mText = cadhost::readFiledText(*pFiler);
    mStyle = readStyle(pFiler);
    pFiler->readDouble(&mHeight);
    pFiler->readDouble(&mRotation);
    pFiler->readDouble(&mWidthFactor);
    pFiler->readDouble(&mOblique);
    pFiler->readInt16(&mHorizontal);
    pFiler->readInt16(&mVertical);
    pFiler->readUInt8(&mMirror);
    modeRead(pFiler, cadhost::isPositive(mHeight) && cadhost::isPositive(mWidthFactor) && mHorizontal >= 0 &&
                         mHorizontal <= AcDb::kTextFit && mVertical >= 0 && mVertical <= AcDb::kTextTop);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbText::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writePoint3d(mPosition);
    pFiler->writePoint3d(mAlignment);
    pFiler->writeVector3d(mNormal);
    pFiler->writeString(mText.c_str());
    writeStyle(pFiler, mStyle);
    pFiler->writeDouble(mHeight);
    pFiler->writeDouble(mRotation);
    pFiler->writeDouble(mWidthFactor);
    pFiler->writeDouble(mOblique);
    pFiler->writeInt16(mHorizontal);
    pFiler->writeInt16(mVertical);
    return pFiler->writeUInt8(mMirror);
}

AcDbMText::AcDbMText() = default;
AcDbMText::~AcDbMText() = default;

AcGePoint3d AcDbMText::location() const
{
    assertReadEnabled();
    return mLocation;
}

Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& point) { return cadhost::setField(this, mLocation, point); }

AcGeVector3d AcDbMText::normal() const
{
    assertReadEnabled();
    return mNormal;
}

Acad::ErrorStatus AcDbMText::setNormal(const AcGeVector3d& normal) { return cadhost::setField(this, mNormal, normal); }

AcGeVector3d AcDbMText::direction() const
{
    assertReadEnabled();
    return mDirection;
}

Acad::ErrorStatus AcDbMText::setDirection(const AcGeVector3d& direction)
{
    if (direction.x == 0.0 && direction.y == 0.0 && direction.z == 0.0)
        return Acad::eInvalidInput;
    return cadhost::setField(this, mDirection, direction);
}

double AcDbMText::rotation() const
{
    assertReadEnabled();
    return std::atan2(mDirection.y, mDirection.x);
}

Acad::ErrorStatus AcDbMText::setRotation(double rotation)
{
    return cadhost::setField(this, mDirection, AcGeVector3d(std::cos(rotation), std::sin(rotation), 0.0));
}

double AcDbMText::width() const
{
    assertReadEnabled();
    return mWidth;
}

Acad::ErrorStatus AcDbMText::setWidth(double width)
{
    if (!(width >= 0.0 && std::isfinite(width)))
        return Acad::eInvalidInput;
    return cadhost::setField(this, mWidth, width);
}

double AcDbMText::textHeight() const
{
    assertReadEnabled();
    return mHeight;
}

Acad::ErrorStatus AcDbMText::setTextHeight(double height) { return setPositive(this, mHeight, height); }

AcDbMText::AttachmentPoint AcDbMText::attachment() const
{
    assertReadEnabled();
    return static_cast<AttachmentPoint>(mAttachment);
}

Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint attachment)
{
    if (attachment < kTopLeft)
        return Acad::eInvalidInput;
    return setMode(this, mAttachment, attachment, kBottomRight);
}

AcDbMText::FlowDirection AcDbMText::flowDirection() const
{
    assertReadEnabled();
    return static_cast<FlowDirection>(mFlow);
}

Acad::ErrorStatus AcDbMText::setFlowDirection(FlowDirection direction)
{
    if (direction < kLtoR)
        return Acad::eInvalidInput;
    return setMode(this, mFlow, direction, kByStyle);
}

AcDb::LineSpacingStyle AcDbMText::lineSpacingStyle() const
{
    assertReadEnabled();
    return static_cast<AcDb::LineSpacingStyle>(mSpacingStyle);
}

Acad::ErrorStatus AcDbMText::setLineSpacingStyle(AcDb::LineSpacingStyle style)
{
    if (style < AcDb::kAtLeast)
        return Acad::eInvalidInput;
    return setMode(this, mSpacingStyle, style, AcDb::kExactly);
}

double AcDbMText::lineSpacingFactor() const
{
    assertReadEnabled();
    return mSpacingFactor;
}

Acad::ErrorStatus AcDbMText::setLineSpacingFactor(double factor)
{
    if (!(factor >= 0.25 && factor <= 4.0))
        return Acad::eInvalidInput;
    return cadhost::setField(this, mSpacingFactor, factor);
}

ACHAR* AcDbMText::contents() const
{
    assertReadEnabled();
    return cadhost::newHostBuffer(mContents);
}

Acad::ErrorStatus AcDbMText::setContents(const ACHAR* text)
{
    return cadhost::setField(this, mContents, std::wstring(text != nullptr ? text : L""));
}

AcDbObjectId AcDbMText::textStyle() const
{
    assertReadEnabled();
    return mStyle;
}

Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId style) { return setStyle(this, mStyle, style); }

void AcDbMText::subSetDatabaseDefaults(AcDbDatabase* pDb)
{
    if (mStyle.isNull())
        mStyle = pDb->textstyle();
}

Acad::ErrorStatus AcDbMText::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    std::size_t lines = 1;
    std::size_t longest = 0;
    std::size_t line = 0;
    for (std::size_t i = 0; i < mContents.size(); ++i)
    {
        if (mContents.compare(i, 2, L"\\P") == 0)
        {
            ++lines;
            longest = std::max(longest, line);
            line = 0;
            ++i;
        }
        else
            ++line;
    }
    longest = std::max(longest, line);
    const double width = mWidth > 0.0 ? mWidth : static_cast<double>(longest) * mHeight;
    const double height = mHeight + static_cast<double>(lines - 1) * mHeight * kLineSpacing * mSpacingFactor;
    const int column = (mAttachment - 1) % 3;
    const int row = (mAttachment - 1) / 3;
    addTurnedBox(extents, mLocation, std::atan2(mDirection.y, mDirection.x), -column * width / 2,
                 -(2 - row) * height / 2, width, height);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readPoint3d(&mLocation);
    pFiler->readVector3d(&mNormal);
    pFiler->readVector3d(&mDirection);
    pFiler->readDouble(&mWidth);
    pFiler->readDouble(&mHeight);
    pFiler->readInt16(&mAttachment);
    pFiler->readInt16(&mFlow);
    pFiler->readInt16(&mSpacingStyle);
    pFiler->readDouble(&mSpacingFactor);
    mContents = cadhost::readFiledText(*pFiler);
    mStyle = readStyle(pFiler);
    modeRead(pFiler, cadhost::isPositive(mHeight) && mWidth >= 0.0 && mAttachment >= kTopLeft &&
                         mAttachment <= kBottomRight && mFlow >= kLtoR && mFlow <= kByStyle &&
                         mSpacingStyle >= AcDb::kAtLeast && mSpacingStyle <= AcDb::kExactly);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbMText::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writePoint3d(mLocation);
    pFiler->writeVector3d(mNormal);
    pFiler->writeVector3d(mDirection);
    pFiler->writeDouble(mWidth);
    pFiler->writeDouble(mHeight);
    pFiler->writeInt16(mAttachment);
    pFiler->writeInt16(mFlow);
    pFiler->writeInt16(mSpacingStyle);
    pFiler->writeDouble(mSpacingFactor);
    pFiler->writeString(mContents.c_str());
    writeStyle(pFiler, mStyle);
    return pFiler->filerStatus();
}
