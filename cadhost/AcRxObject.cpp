#include "host/AcRxObject.h"

#include "cadhost/HostClassRegistrar.h"

AcRxObject::~AcRxObject() = default;

bool AcRxObject::isKindOf(const AcRxClass* aClass) const
{
    const AcRxClass* cls = isA();
    return cls != nullptr && cls->isDerivedFrom(aClass);
}

ACRX_DEFINE_HOST_MEMBERS(AcRxObject, nullptr, nullptr, nullptr);
