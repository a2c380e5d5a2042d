#include "host/AcDbBlockReference.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "cadhost/AcDbStub.h"
#include "host/AcDbDwgFiler.h"
#include "host/AcDbSymbolTable.h"

#include <cmath>

ACRX_DEFINE_HOST_MEMBERS(AcDbBlockReference, ACRX_T("AcDbEntity"), ACRX_T("INSERT"),
                         &cadhost::pseudoConstruct<AcDbBlockReference>);

AcDbBlockReference::AcDbBlockReference() = default;

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRec)
    : mBlockTableRecord(blockTableRec), mPosition(position)
{
}

AcDbBlockReference::~AcDbBlockReference() = default;

AcDbObjectId AcDbBlockReference::blockTableRecord() const
{
    assertReadEnabled();
    return mBlockTableRecord;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId newVal)
{
    return cadhost::setField<AcDbObjectId>(this, mBlockTableRecord, newVal);
}

AcGePoint3d AcDbBlockReference::position() const
{
    assertReadEnabled();
    return mPosition;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& newVal)
{
    return cadhost::setField(this, mPosition, newVal);
}

AcGeScale3d AcDbBlockReference::scaleFactors() const
{
    assertReadEnabled();
    return mScale;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale)
{
    return cadhost::setField(this, mScale, scale);
}

double AcDbBlockReference::rotation() const
{
    assertReadEnabled();
    return mRotation;
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double newVal)
{
    return cadhost::setField(this, mRotation, newVal);
}

namespace
{
constexpr int kDeepestNesting = 64;
thread_local int tNesting = 0;

// An object of the drawing read as the host reads it, whatever its open
// state; null when it is gone or erased.
template <class T> const T* hostRead(AcDbObjectId id)
{
    const AcDbStub* stub = static_cast<AcDbStub*>(id);
    const AcDbObject* object = stub != nullptr && !stub->isErased() ? stub->object() : nullptr;
    return object != nullptr ? T::cast(object) : nullptr;
}
} // namespace

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    const auto* record = hostRead<AcDbBlockTableRecord>(mBlockTableRecord);
    if (record == nullptr || tNesting >= kDeepestNesting)
        return Acad::eNotApplicable;
    ++tNesting;
    AcDbExtents inBlock;
    {
        const AcDbImpObject::HostReadAccess recordAccess(record);
        AcDbBlockTableRecordIterator* walk = nullptr;
        record->newIterator(walk);
        for (; !walk->done(); walk->step())
        {
            AcDbObjectId id;
            walk->getEntityId(id);
            const auto* entity = hostRead<AcDbEntity>(id);
            if (entity == nullptr)
                continue;
            const AcDbImpObject::HostReadAccess entityAccess(entity);
            AcDbExtents part;
            if (entity->getGeomExtents(part) == Acad::eOk)
                inBlock.addExt(part);
        }
        delete walk;
    }
    --tNesting;
    const AcGePoint3d low = inBlock.minPoint();
    const AcGePoint3d high = inBlock.maxPoint();
    if (low.x > high.x)
        return Acad::eNotApplicable;
    const double c = std::cos(mRotation);
    const double s = std::sin(mRotation);
    for (const double x : {low.x, high.x})
        for (const double y : {low.y, high.y})
            for (const double z : {low.z, high.z})
            {
                const double sx = x * mScale.sx;
                const double sy = y * mScale.sy;
                extents.addPoint({mPosition.x + c * sx - s * sy, mPosition.y + s * sx + c * sy,
                                  mPosition.z + z * mScale.sz});
            }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    AcDbHardPointerId block;
    pFiler->readHardPointerId(&block);
    mBlockTableRecord = block;
    pFiler->readPoint3d(&mPosition);
    pFiler->readScale3d(&mScale);
    pFiler->readDouble(&mRotation);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockReference::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writeHardPointerId(mBlockTableRecord);
    pFiler->writePoint3d(mPosition);
    pFiler->writeScale3d(mScale);
    pFiler->writeDouble(mRotation);
    return pFiler->filerStatus();
}
