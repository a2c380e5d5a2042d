// The module's two exports that the host looks up by their plain names when
// it loads the module.
#pragma once

#include "host/AcRx.h"

extern "C"
{
// Handles the host's application messages; always answers kRetOK.
AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);
// The host API version the module was built for.
int acrxGetApiVersion();
}
