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
    AcDbObject* object = static_cast<AcDbStub*>(id)->object();
    if (object == nullptr)
        return Acad::ePermanentlyErased;
    AcDbImpObject* imp = AcDbImpObject::of(object);
    if (imp->isErased() && !openErasedObject)
        return Acad::eWasErased;
    if (pClass != nullptr && !object->isKindOf(pClass))
        return Acad::eNotThatKindOfClass;
    const Acad::ErrorStatus es = imp->open(mode);
    if (es == Acad::eOk)
        pObj = object;
    return es;
}
