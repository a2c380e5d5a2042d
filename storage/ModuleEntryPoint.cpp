#include "storage/ModuleEntryPoint.h"

#include "host/AcRxDynamicLinker.h"
#include "host/AcRxService.h"
#include "host/CString.h"
#include "host/CrtTime.h"
#include "storage/AppMessages.h"
#include "storage/CPmAcadSim200.h"

namespace
{
const ACHAR* const kServiceName = ACRX_T("CPmAcadSim200");

// The previous release's module serves the simulations it wrote. It lives in
// the product's folder of the common program files; when that folder is not
// named, or the module is not there, those simulations cannot be read and
// nothing else changes.
void loadLegacyModule()
{
    const wchar_t* commonFiles = _wgetenv(L"CommonProgramFiles");
    if (commonFiles == nullptr)
        return;
    CString folder;
    folder.Format(L"%s\\%s\\", commonFiles, L"Orvane");
    CString path;
    path.Format(L"%s%s", folder.GetString(), L"ZnSim101_2007x64.dbx");
    acrxLoadModule(path, false, false);
}

void initialise(void* appId)
{
    // Unlocked, so that the host may unload the module again.
    acrxUnlockApplication(appId);
    acrxRegisterAppMDIAware(appId);
    CPmAcadSim200::rxInit();
    loadLegacyModule();
    if (!acrxServiceIsRegistered(kServiceName))
        acrxRegisterService(kServiceName);
    acrxBuildClassHierarchy();
}

void unload()
{
    RemoveServiceAndClass(kServiceName, CPmAcadSim200::desc());
    // The descriptor is freed: a later registration must not compare against
    // it.
    CPmAcadSim200::gpDesc = nullptr;
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
