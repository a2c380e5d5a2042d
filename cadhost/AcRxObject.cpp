#include "host/AcRxObject.h"

#include "cadhost/HostClassRegistrar.h"

AcRxObject::~AcRxObject() = default;

bool AcRxObject::isKindOf(const AcRxClass* aClass) const
{
    // Most asks are of the object's own class: no walk up the parents.
    const AcRxClass* cls = isA();
    return cls != nullptr && (cls == aClass || cls->isDerivedFrom(aClass));
}

ACRX_DEFINE_HOST_MEMBERS(AcRxObject, nullptr, nullptr, nullptr);
