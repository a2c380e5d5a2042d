// A database object that carries a name, and the statics that keep such
// objects in a two-level dictionary of the working drawing: the drawing's
// named-objects dictionary holds sub-dictionaries under names the callers
// choose, and each sub-dictionary maps an object name to one stored object.
//
// The statics work on whatever database is the working one at the moment of
// the call, keep nothing between calls, and close every object they open
// before they return; only the object that Load hands out stays open (for
// read, for its caller to close). Their results are host statuses, summed
// where a failing step is followed by closes that still have to happen, with
// -1 for a name without an entry in Load and Delete.
//
// The class declares no run-time class of its own: the classes derived from
// it register theirs and supply the filing of their records.
#pragma once

#include "host/AcDbObject.h"
#include "host/CString.h"
#include "host/CStringArray.h"

class CIvAcadObject : public AcDbObject
{
public:
    CIvAcadObject() = default;
    // A copy carries the name only; its host part is a fresh one, so the copy
    // is a new object in no drawing, whatever the source is.
    CIvAcadObject(const CIvAcadObject& other);
    CIvAcadObject& operator=(const CIvAcadObject& other);
    ~CIvAcadObject() override;

    void SetObjectName(const CString& name) { m_objectName = name; }
    const CString& Name() const { return m_objectName; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override = 0;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override = 0;

    // Stores object under name in the sub-dictionary dictName, which is made
    // when the drawing has none yet; an entry of that name is replaced (the
    // host erases what it held). Once stored, the object belongs to the
    // drawing and is closed; when the store fails it stays as it was given.
    static int Save(const CString& dictName, const CString& name, CIvAcadObject* object);
    // The id of the object stored under name; the null id when there is none.
    static AcDbObjectId GetObjectId(const CString& dictName, const CString& name);
    // Replaces the contents of names with the keys of the sub-dictionary, in
    // the host's iteration order. 0, or eKeyNotFound when the drawing has no
    // such sub-dictionary (which is not made).
    static int GetObjectNames(const CString& dictName, CStringArray* names);
    // Opens the object stored under name for read into *object; -1 when the
    // name has no entry (*object untouched), else the status of the open.
    static int Load(const CString& dictName, const CString& name, CIvAcadObject** object);
    // Erases the object stored under name; -1 when the name has no entry.
    static int Delete(const CString& dictName, const CString& name);

private:
    CString m_objectName;
};
