// What an object id names: one object's place in its database. Stubs live
// as long as their database, so an id stays safe to ask about after its
// object was erased, or freed by a caller who should not have. Only objects
// in a database can be erased, so the mark is kept here, where walking a
// container finds it without going through each object.
#pragma once

#include "host/AcDbHandle.h"

class AcDbImpDatabase;
class AcDbObject;

class AcDbStub
{
public:
    AcDbStub(AcDbImpDatabase* database, AcDbHandle handle) : mDatabase(database), mHandle(handle) {}

    AcDbImpDatabase* database() const { return mDatabase; }
    AcDbHandle handle() const { return mHandle; }
    // Null before the object is filed in, and after it is gone.
    AcDbObject* object() const { return mObject; }
    void setObject(AcDbObject* object) { mObject = object; }
    bool isErased() const { return mErased; }
    void setErased(bool erased) { mErased = erased; }

private:
    AcDbImpDatabase* mDatabase;
    AcDbHandle mHandle;
    AcDbObject* mObject = nullptr;
    bool mErased = false;
};
