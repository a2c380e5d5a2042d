// A module for the host's tests. It counts the messages it receives; while
// it initialises it unlocks itself (unless built to stay locked), declares
// itself MDI aware and registers its service; when it unloads it takes its
// service away. The module's own start-up tests place it where the previous
// release's module belongs, to see it loaded while the module initialises.
#include "tests/cadhost/modules/RecordingModule.h"

#include "host/AcRxDictionary.h"
#include "host/AcRxDynamicLinker.h"
#include "host/AcRxService.h"

#ifndef RX_API_VERSION
#define RX_API_VERSION ACRX_API_VERSION
#endif

namespace
{
// Internal linkage throughout: several variants live in one process and
// must not bind to each other's state.
int g_received[AcRx::kSuspendMsg + 1] = {};

void initialise(void* appId)
{
#ifndef RX_STAYS_LOCKED
    acrxUnlockApplication(appId);
#endif
    acrxRegisterAppMDIAware(appId);
    if (!acrxServiceIsRegistered(RX_SERVICE_NAME))
        acrxRegisterService(RX_SERVICE_NAME);
}

void unload()
{
    delete acrxServiceDictionary->remove(RX_SERVICE_NAME);
}
} // namespace

extern "C" int acrxGetApiVersion()
{
    return RX_API_VERSION;
}

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    if (msg >= 0 && msg <= AcRx::kSuspendMsg)
        ++g_received[msg];
    if (msg == AcRx::kInitAppMsg)
        initialise(appId);
    else if (msg == AcRx::kUnloadAppMsg)
        unload();
    return AcRx::kRetOK;
}

extern "C" int rxMessagesReceived(int msg)
{
    return msg >= 0 && msg <= AcRx::kSuspendMsg ? g_received[msg] : 0;
}

extern "C" const ACHAR* rxServiceName()
{
    return RX_SERVICE_NAME;
}
