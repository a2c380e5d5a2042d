// The records of the layer, line type and text style tables.
#include "host/AcDbSymbolTable.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/EntityRules.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDwgFiler.h"

#include <cmath>

ACRX_DEFINE_HOST_MEMBERS(AcDbLayerTableRecord, ACRX_T("AcDbSymbolTableRecord"), ACRX_T("LAYER"),
                         &cadhost::pseudoConstruct<AcDbLayerTableRecord>);
ACRX_DEFINE_HOST_MEMBERS(AcDbLinetypeTableRecord, ACRX_T("AcDbSymbolTableRecord"), ACRX_T("LTYPE"),
                         &cadhost::pseudoConstruct<AcDbLinetypeTableRecord>);
ACRX_DEFINE_HOST_MEMBERS(AcDbTextStyleTableRecord, ACRX_T("AcDbSymbolTableRecord"), ACRX_T("STYLE"),
                         &cadhost::pseudoConstruct<AcDbTextStyleTableRecord>);

namespace
{
// The layer's flags as filed.
constexpr Adesk::UInt8 kOff = 1;
constexpr Adesk::UInt8 kFrozen = 2;
constexpr Adesk::UInt8 kLocked = 4;
constexpr Adesk::UInt8 kNotPlotted = 8;

Acad::ErrorStatus setFlag(AcDbObject* record, Adesk::UInt8& flags, Adesk::UInt8 flag, bool on)
{
    const auto changed = static_cast<Adesk::UInt8>(on ? flags | flag : flags & ~flag);
    return cadhost::setField(record, flags, changed);
}

Acad::ErrorStatus setText(AcDbObject* record, std::wstring& field, const ACHAR* text)
{
    return cadhost::setField(record, field, std::wstring(text != nullptr ? text : L""));
}

// Whatever the filer holds, a record that breaks its class's rules is not
// read as one.
Acad::ErrorStatus refuseUnless(bool valid, AcDbDwgFiler* pFiler)
{
    if (pFiler->filerStatus() == Acad::eOk && !valid)
        pFiler->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    return pFiler->filerStatus();
}
} // namespace

AcDbLayerTableRecord::AcDbLayerTableRecord() { mColor.setColorIndex(7); }
AcDbLayerTableRecord::~AcDbLayerTableRecord() = default;

bool AcDbLayerTableRecord::isOff() const
{
    assertReadEnabled();
    return (mFlags & kOff) != 0;
}

void AcDbLayerTableRecord::setIsOff(bool off) { setFlag(this, mFlags, kOff, off); }

bool AcDbLayerTableRecord::isFrozen() const
{
    assertReadEnabled();
    return (mFlags & kFrozen) != 0;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) { return setFlag(this, mFlags, kFrozen, frozen); }

bool AcDbLayerTableRecord::isLocked() const
{
    assertReadEnabled();
    return (mFlags & kLocked) != 0;
}

void AcDbLayerTableRecord::setIsLocked(bool locked) { setFlag(this, mFlags, kLocked, locked); }

bool AcDbLayerTableRecord::isPlottable() const
{
    assertReadEnabled();
    return (mFlags & kNotPlotted) == 0;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plot) { return setFlag(this, mFlags, kNotPlotted, !plot); }

AcCmColor AcDbLayerTableRecord::color() const
{
    assertReadEnabled();
    return mColor;
}

Acad::ErrorStatus AcDbLayerTableRecord::setColor(const AcCmColor& color)
{
    if (!color.isByACI() && !color.isByColor())
        return Acad::eInvalidInput;
    return cadhost::setField(this, mColor, color);
}

AcDbObjectId AcDbLayerTableRecord::linetypeObjectId() const
{
    assertReadEnabled();
    return mLinetype;
}

void AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id) { cadhost::setField(this, mLinetype, id); }

AcDb::LineWeight AcDbLayerTableRecord::lineWeight() const
{
    assertReadEnabled();
    return mLineWeight;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight)
{
    if (!cadhost::isLineWeight(weight) || weight == AcDb::kLnWtByLayer || weight == AcDb::kLnWtByBlock)
        return Acad::eInvalidInput;
    return cadhost::setField(this, mLineWeight, weight);
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbSymbolTableRecord::dwgInFields(pFiler);
    Adesk::UInt32 color = 0;
    pFiler->readUInt32(&color);
    AcDbHardPointerId linetype;
    pFiler->readHardPointerId(&linetype);
    mLinetype = linetype;
    Adesk::Int16 weight = 0;
    pFiler->readInt16(&weight);
    mLineWeight = static_cast<AcDb::LineWeight>(weight);
    pFiler->readUInt8(&mFlags);
    const bool colorRead = mColor.setColor(color) == Acad::eOk && (mColor.isByACI() || mColor.isByColor());
    const bool weightRead = cadhost::isLineWeight(weight) && weight != AcDb::kLnWtByLayer && weight != AcDb::kLnWtByBlock;
    return refuseUnless(colorRead && weightRead, pFiler);
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbSymbolTableRecord::dwgOutFields(pFiler);
    pFiler->writeUInt32(mColor.color());
    pFiler->writeHardPointerId(mLinetype);
    pFiler->writeInt16(static_cast<Adesk::Int16>(mLineWeight));
    return pFiler->writeUInt8(mFlags);
}

AcDbLinetypeTableRecord::AcDbLinetypeTableRecord() = default;
AcDbLinetypeTableRecord::~AcDbLinetypeTableRecord() = default;

Acad::ErrorStatus AcDbLinetypeTableRecord::comments(const ACHAR*& pString) const
{
    assertReadEnabled();
    pString = mComments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const ACHAR* pString)
{
    return setText(this, mComments, pString);
}

double AcDbLinetypeTableRecord::patternLength() const
{
    assertReadEnabled();
    return mPatternLength;
}

void AcDbLinetypeTableRecord::setPatternLength(double patternLength)
{
    cadhost::setField(this, mPatternLength, patternLength);
}

bool AcDbLinetypeTableRecord::isScaledToFit() const
{
    assertReadEnabled();
    return mScaledToFit;
}

void AcDbLinetypeTableRecord::setIsScaledToFit(bool scaledToFit) { cadhost::setField(this, mScaledToFit, scaledToFit); }

int AcDbLinetypeTableRecord::numDashes() const
{
    assertReadEnabled();
    return static_cast<int>(mDashes.size());
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setNumDashes(int count)
{
    if (count < 0)
        return Acad::eInvalidInput;
    std::vector<double> dashes = mDashes;
    dashes.resize(static_cast<std::size_t>(count), 0.0);
    return cadhost::setField(this, mDashes, dashes);
}

double AcDbLinetypeTableRecord::dashLengthAt(int index) const
{
    assertReadEnabled();
    return index >= 0 && index < numDashes() ? mDashes[static_cast<std::size_t>(index)] : 0.0;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setDashLengthAt(int index, double value)
{
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    if (index < 0 || index >= static_cast<int>(mDashes.size()))
        return Acad::eInvalidIndex;
    mDashes[static_cast<std::size_t>(index)] = value;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbSymbolTableRecord::dwgInFields(pFiler);
    mComments = cadhost::readFiledText(*pFiler);
    pFiler->readDouble(&mPatternLength);
    pFiler->readBool(&mScaledToFit);
    Adesk::UInt32 count = 0;
    pFiler->readUInt32(&count);
    mDashes.clear();
    for (Adesk::UInt32 i = 0; i < count && pFiler->filerStatus() == Acad::eOk; ++i)
    {
        double dash = 0.0;
        pFiler->readDouble(&dash);
        mDashes.push_back(dash);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbSymbolTableRecord::dwgOutFields(pFiler);
    pFiler->writeString(mComments.c_str());
    pFiler->writeDouble(mPatternLength);
    pFiler->writeBool(mScaledToFit);
    pFiler->writeUInt32(static_cast<Adesk::UInt32>(mDashes.size()));
    for (const double dash : mDashes)
        pFiler->writeDouble(dash);
    return pFiler->filerStatus();
}

AcDbTextStyleTableRecord::AcDbTextStyleTableRecord() = default;
AcDbTextStyleTableRecord::~AcDbTextStyleTableRecord() = default;

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& fileName) const
{
    assertReadEnabled();
    fileName = mFileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* fileName)
{
    return setText(this, mFileName, fileName);
}

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const ACHAR*& fileName) const
{
    assertReadEnabled();
    fileName = mBigFontFileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* fileName)
{
    return setText(this, mBigFontFileName, fileName);
}

double AcDbTextStyleTableRecord::textSize() const
{
    assertReadEnabled();
    return mTextSize;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size)
{
    if (!(size >= 0.0 && std::isfinite(size)))
        return Acad::eInvalidInput;
    return cadhost::setField(this, mTextSize, size);
}

double AcDbTextStyleTableRecord::xScale() const
{
    assertReadEnabled();
    return mXScale;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double xScale)
{
    if (!cadhost::isPositive(xScale))
        return Acad::eInvalidInput;
    return cadhost::setField(this, mXScale, xScale);
}

double AcDbTextStyleTableRecord::obliquingAngle() const
{
    assertReadEnabled();
    return mObliquingAngle;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double obliquingAngle)
{
    return cadhost::setField(this, mObliquingAngle, obliquingAngle);
}

double AcDbTextStyleTableRecord::priorSize() const
{
    assertReadEnabled();
    return mPriorSize;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setPriorSize(double priorSize)
{
    return cadhost::setField(this, mPriorSize, priorSize);
}

Adesk::UInt8 AcDbTextStyleTableRecord::flagBits() const
{
    assertReadEnabled();
    return mFlagBits;
}

void AcDbTextStyleTableRecord::setFlagBits(Adesk::UInt8 flagBits) { cadhost::setField(this, mFlagBits, flagBits); }

bool AcDbTextStyleTableRecord::isVertical() const
{
    assertReadEnabled();
    return mVertical;
}

void AcDbTextStyleTableRecord::setIsVertical(bool vertical) { cadhost::setField(this, mVertical, vertical); }

bool AcDbTextStyleTableRecord::isShapeFile() const
{
    assertReadEnabled();
    return mShapeFile;
}

void AcDbTextStyleTableRecord::setIsShapeFile(bool shape) { cadhost::setField(this, mShapeFile, shape); }

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbSymbolTableRecord::dwgInFields(pFiler);
    mFileName = cadhost::readFiledText(*pFiler);
    mBigFontFileName = cadhost::readFiledText(*pFiler);
    pFiler->readDouble(&mTextSize);
    pFiler->readDouble(&mXScale);
    pFiler->readDouble(&mObliquingAngle);
    pFiler->readDouble(&mPriorSize);
    pFiler->readUInt8(&mFlagBits);
    pFiler->readBool(&mVertical);
    pFiler->readBool(&mShapeFile);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbSymbolTableRecord::dwgOutFields(pFiler);
    pFiler->writeString(mFileName.c_str());
    pFiler->writeString(mBigFontFileName.c_str());
    pFiler->writeDouble(mTextSize);
    pFiler->writeDouble(mXScale);
    pFiler->writeDouble(mObliquingAngle);
    pFiler->writeDouble(mPriorSize);
    pFiler->writeUInt8(mFlagBits);
    pFiler->writeBool(mVertical);
    return pFiler->writeBool(mShapeFile);
}
