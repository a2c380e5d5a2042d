#include "host/AcDbObjectId.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbStub.h"
#include "host/AcDbObject.h"

#include <functional>

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const { return mId != nullptr && mId->object() != nullptr; }

// An id whose object a caller freed counts as erased: it can never be
// opened again.
bool AcDbObjectId::isErased() const
{
    if (mId == nullptr)
        return false;
    return mId->object() == nullptr || mId->isErased();
}

AcDbHandle AcDbObjectId::handle() const { return mId != nullptr ? mId->handle() : AcDbHandle(); }

AcDbDatabase* AcDbObjectId::database() const
{
    return mId != nullptr ? mId->database()->database() : nullptr;
}

AcRxClass* AcDbObjectId::objectClass() const
{
    return isValid() ? mId->object()->isA() : nullptr;
}

bool AcDbObjectId::operator<(const AcDbObjectId& o) const
{
    return std::less<const AcDbStub*>()(mId, o.mId);
}
