#include "host/AcRxService.h"

#include "cadhost/HostClassRegistrar.h"
#include "cadhost/ModuleService.h"
#include "cadhost/SystemRegistry.h"

ACRX_DEFINE_HOST_MEMBERS(AcRxService, ACRX_T("AcRxObject"), nullptr, nullptr);

AcRxService::~AcRxService() = default;

AcRxObject* acrxRegisterService(const ACHAR* serviceName)
{
    if (serviceName == nullptr)
        return nullptr;
    AcRxDictionary* services = cadhost::serviceDictionary();
    if (AcRxObject* existing = services->at(serviceName))
        return existing;
    auto* service = new cadhost::ModuleService(cadhost::moduleBeingInitialised());
    services->atPut(serviceName, service);
    return service;
}

bool acrxServiceIsRegistered(const ACHAR* serviceName)
{
    return cadhost::serviceDictionary()->has(serviceName);
}
