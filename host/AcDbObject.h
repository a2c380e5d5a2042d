// The base of every object that can live in a drawing database, and the
// calls that open such objects by id.
//
// Open rules, as the host keeps them: up to 256 readers or one writer; one
// open for notify on top of those, or alone, but not two (while it lasts,
// opens for read or write answer eWasNotifying, and the next close ends it;
// an object open for notify only may be read, not changed); one close per
// open; a new object that belongs to no database counts as open
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

    // The host's bookkeeping: readable whatever the open state.
    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId objId);
    void getAcDbHandle(AcDbHandle& handle) const;
    AcDbDatabase* database() const;

    // Ends one open. A write-open object's changes stay. An object that is
    // not open answers eNotOpenForRead (so do cancel and upgradeOpen). An
    // object in no database answers eNotInDatabase, as do cancel,
    // upgradeOpen, downgradeOpen and erase, and is not freed: it stays its
    // maker's to delete. Refused calls change nothing.
    Acad::ErrorStatus close();
    // Ends one open; on a write-open object, the object's state at the open
    // (its own filing, and whether it was erased) is restored.
    Acad::ErrorStatus cancel();
    // From the only reader to the writer: eHadMultipleReaders while others
    // read it too, eWasOpenForWrite when it is the writer already.
    Acad::ErrorStatus upgradeOpen();
    // From the writer to one reader; changes stay (eNotOpenForWrite if not
    // the writer).
    Acad::ErrorStatus downgradeOpen();
    // Erases or unerases. Needs the object open for write (eNotOpenForWrite,
    // also recorded as a violation); eWasErased or eWasNotErased when it is
    // so already; the database's named-objects dictionary and block table
    // answer eCannotBeErasedByCaller, and a proxy whose class lacks the
    // erase-allowed proxy flag (0x1) eNotAllowedForThisProxy. An object
    // unerased leaves the dictionary it was an entry of for good.
    Acad::ErrorStatus erase(Adesk::Boolean erasing = true);

    bool isErased() const;
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    // Added to its database in this session, not read from a drawing file.
    bool isNewObject() const;
    // Asserted for write (with recordModified) since it was added or read.
    bool isModified() const;

    // Objects call these before they read or change their own data. A call
    // on an object not open in the needed mode is recorded as a violation
    // (the host's debug build would assert). The first write assertion of an
    // open, with autoUndo, records the object's state for cancel.
    void assertReadEnabled() const;
    void assertWriteEnabled(Adesk::Boolean autoUndo = true, Adesk::Boolean recordModified = true);

    // The host's own part of every object's record: the owner, as a soft
    // pointer id.
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const;

protected:
    AcDbObject();

private:
    friend class AcDbImpObject;
    AcDbImpObject* mpImpObject;
};

// Opens the object of id in mode (kForRead, kForWrite or kForNotify; any
// other mode is eInvalidInput). Fails with eNullObjectId for the null id, eWasErased for an
// erased object unless openErasedObject, ePermanentlyErased for one a caller
// freed although its database owned it, eWasOpenForWrite, eWasOpenForRead,
// eWasNotifying or eAtMaxReaders when the open rules refuse, and leaves pObj null on failure.
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
