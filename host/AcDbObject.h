// The base of every object that can live in a drawing database, and the
// calls that open such objects by id.
//
// Open rules, as the host keeps them: up to 256 readers or one writer; one
// close per open; a new object that belongs to no database counts as open
// for write until it is added to one, and is the caller's to delete until
// then; once added, the database owns it and it is never deleted by a
// caller, only erased. Erased objects stay in memory until their database
// goes.
#pragma once

#include "host/AcDb.h"
#include "host/AcDbObjectId.h"
#include "host/AcHeapOperators.h"
#include "host/AcRxObject.h"
#include "host/AcadErrorStatus.h"

class AcDbDatabase;
class AcDbDwgFiler;
class AcDbImpObject;

class AcDbObject : public AcRxObject, public AcHeapOperators
{
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);
    ~AcDbObject() override;
    // A copy would share the host's per-object state; derived classes that
    // copy their data construct a fresh host part instead.
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId objId);
    void getAcDbHandle(AcDbHandle& handle) const;
    AcDbDatabase* database() const;

    // Ends one open. A write-open object's changes stay.
    Acad::ErrorStatus close();
    // Ends one open; on a write-open object, changes recorded since the open
    // are rolled back through the object's own filing.
    Acad::ErrorStatus cancel();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus erase(Adesk::Boolean erasing = true);

    bool isErased() const;
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNewObject() const;
    bool isModified() const;

    // Objects call these before they read or change their own data. A call
    // on an object not open in the needed mode is recorded as a violation
    // (the host's debug build would assert). The first write assertion of an
    // open, with autoUndo, records the object's state for cancel.
    void assertReadEnabled() const;
    void assertWriteEnabled(Adesk::Boolean autoUndo = true, Adesk::Boolean recordModified = true);

    // The host's own part of every object's record.
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const;

protected:
    AcDbObject();

private:
    friend class AcDbImpObject;
    AcDbImpObject* mpImpObject;
};

// Opens the object of id in mode. Fails with eNullObjectId for the null id,
// eWasErased for an erased object unless openErasedObject, eWasOpenForWrite,
// eWasOpenForRead or eAtMaxReaders when the open rules refuse, and leaves
// pObj null on failure.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErasedObject = false);

// The same, and eNotThatKindOfClass (with nothing left open) when the object
// is not of pClass or a class derived from it.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                     const AcRxClass* pClass, bool openErasedObject = false);

template <class T_OBJECT>
inline Acad::ErrorStatus acdbOpenObject(T_OBJECT*& pObj, AcDbObjectId id,
                                        AcDb::OpenMode mode = AcDb::kForRead,
                                        bool openErased = false)
{
    AcDbObject* pObject = nullptr;
    const Acad::ErrorStatus es =
        acdbOpenAcDbObject(pObject, id, mode, T_OBJECT::desc(), openErased);
    pObj = es == Acad::eOk ? T_OBJECT::cast(pObject) : nullptr;
    return es;
}
