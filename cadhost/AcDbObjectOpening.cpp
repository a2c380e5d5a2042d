// Opening objects by id: the host's open rules, applied in the order the
// host checks them, so that a refused open changes nothing.
#include "host/AcDbObject.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbStub.h"
#include "host/AcRxClass.h"

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedObject)
{
    return acdbOpenAcDbObject(pObj, id, mode, nullptr, openErasedObject);
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                     const AcRxClass* pClass, bool openErasedObject)
{
    pObj = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    const AcDbStub* stub = static_cast<AcDbStub*>(id);
    AcDbObject* object = stub->object();
    if (object == nullptr)
        return Acad::ePermanentlyErased;
    if (stub->isErased() && !openErasedObject)
        return Acad::eWasErased;
    if (pClass != nullptr && !object->isKindOf(pClass))
        return Acad::eNotThatKindOfClass;
    const Acad::ErrorStatus es = AcDbImpObject::of(object)->open(mode);
    if (es == Acad::eOk)
        pObj = object;
    return es;
}
