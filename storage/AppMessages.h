// What a module's entry point does with the host's messages, shared by this
// module and the previous release's, which answer them alike.
#pragma once

#include "host/AcRx.h"
#include "host/AcRxClass.h"
#include "host/AcRxDictionary.h"

// Runs initialise, given the module's application id, on the initialisation
// message and unload on the unload message; any other message does nothing.
// The answer is always kRetOK.
inline AcRx::AppRetCode AnswerAppMessage(AcRx::AppMsgCode msg, void* appId,
                                         void (*initialise)(void*), void (*unload)())
{
    if (msg == AcRx::kInitAppMsg)
        initialise(appId);
    else if (msg == AcRx::kUnloadAppMsg)
        unload();
    return AcRx::kRetOK;
}

// Takes away what a module registered at start-up: its service entry, whose
// object is deleted, and its class. The caller forgets the class's
// descriptor, which is freed.
inline void RemoveServiceAndClass(const ACHAR* serviceName, AcRxClass* registered)
{
    if (AcRxDictionary* services = acrxServiceDictionary)
        delete services->remove(serviceName);
    deleteAcRxClass(registered);
}
