// A session-lifetime reference to a database object. It names the host's
// internal stub of the object; ids live as long as their database.
#pragma once

#include "host/AcDbHandle.h"

class AcDbStub;
class AcDbDatabase;
class AcRxClass;

class AcDbObjectId
{
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(AcDbStub* stub) : mId(stub) {}

    static const AcDbObjectId kNull;

    bool isNull() const { return mId == nullptr; }
    void setNull() { mId = nullptr; }
    // An id names a live object, erased or not; one whose object a caller
    // freed although its database owned it counts as erased and not valid.
    bool isValid() const;
    bool isErased() const;

    // Handle of the object; the null handle for the null id.
    AcDbHandle handle() const;
    AcDbDatabase* database() const;
    AcRxClass* objectClass() const;

    operator AcDbStub*() const { return mId; }
    bool operator==(const AcDbObjectId& o) const { return mId == o.mId; }
    bool operator!=(const AcDbObjectId& o) const { return mId != o.mId; }
    bool operator<(const AcDbObjectId& o) const;

private:
    AcDbStub* mId = nullptr;
};

// The kinds of reference an object files for another; they differ only in
// what the host does with the referenced object when copying or purging.
class AcDbHardOwnershipId : public AcDbObjectId
{
public:
    using AcDbObjectId::AcDbObjectId;
    AcDbHardOwnershipId() = default;
    AcDbHardOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}
};

class AcDbSoftOwnershipId : public AcDbObjectId
{
public:
    using AcDbObjectId::AcDbObjectId;
    AcDbSoftOwnershipId() = default;
    AcDbSoftOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}
};

class AcDbHardPointerId : public AcDbObjectId
{
public:
    using AcDbObjectId::AcDbObjectId;
    AcDbHardPointerId() = default;
    AcDbHardPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}
};

class AcDbSoftPointerId : public AcDbObjectId
{
public:
    using AcDbObjectId::AcDbObjectId;
    AcDbSoftPointerId() = default;
    AcDbSoftPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}
};
