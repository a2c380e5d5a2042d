// The previous release's module as the host loads it: it registers its
// stored-simulation class and the service by which its exports are found,
// and takes both away again when it is unloaded.
#include "storage/ModuleEntryPoint.h"

#include "host/AcRxDynamicLinker.h"
#include "host/AcRxService.h"
#include "host/legacy101/CPmAcadSim.h"
#include "storage/AppMessages.h"

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
    RemoveServiceAndClass(kLegacyServiceName, CPmAcadSim::desc());
    CPmAcadSim::gpDesc = nullptr;
}
} // namespace

AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    return AnswerAppMessage(msg, appId, &initialise, &unload);
}

int acrxGetApiVersion()
{
    return ACRX_API_VERSION;
}
