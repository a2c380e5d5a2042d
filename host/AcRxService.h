// Named services that modules announce in the service dictionary.
#pragma once

#include "host/AcRxObject.h"

class AcRxService : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcRxService);
    AcRxService() = default;
    ~AcRxService() override;
};

// Enters a new service object under serviceName in the service dictionary
// and returns it; the dictionary holds it until it is removed. A name that
// is registered already keeps its service, which is returned. The host
// remembers which module was being initialised when the service came, so
// that acrxGetSymbolAddress can find that module's exports.
AcRxObject* acrxRegisterService(const ACHAR* serviceName);
bool acrxServiceIsRegistered(const ACHAR* serviceName);
