// The previous release's module as the host loads it: it registers its
// stored-simulation class and the service by which its exports are found,
// and takes both away again when it is unloaded.
#include "storage/ModuleEntryPoint.h"

#include "host/AcRxDictionary.h"
#include "host/AcRxDynamicLinker.h"
#include "host/AcRxService.h"
#include "host/legacy101/CPmAcadSim.h"

namespace
{
void initialise(void* appId)
{
    acrxUnlockApplication(appId);
    acrxRegisterAppMDIAware(appId);
    CPmAcadSim::rxInit();
    acrxRegisterService(kLegacyServiceName);
    acrxBuildClassHierarchy();
}

void unload()
{
    if (AcRxDictionary* services = acrxServiceDictionary)
        delete services->remove(kLegacyServiceName);
    deleteAcRxClass(CPmAcadSim::desc());
    CPmAcadSim::gpDesc = nullptr;
}
} // namespace

AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    if (msg == AcRx::kInitAppMsg)
        initialise(appId);
    else if (msg == AcRx::kUnloadAppMsg)
        unload();
    return AcRx::kRetOK;
}

int acrxGetApiVersion()
{
    return ACRX_API_VERSION;
}
