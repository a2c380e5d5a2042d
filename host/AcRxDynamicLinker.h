// Loading and unloading of modules, and binding to a module's exports.
#pragma once

#include "host/AcRx.h"

// Loads the shared-library module at fileName (either path separator is
// accepted), checks its acrxGetApiVersion and sends kInitAppMsg to its
// acrxEntryPoint. False when the file cannot be loaded or is not a module.
// Loading a module that is loaded already succeeds without a second message.
bool acrxLoadModule(const ACHAR* fileName, bool printit, bool asCmd = false);

// Sends kUnloadAppMsg and unloads the module; false when it is not loaded or
// has not unlocked itself with acrxUnlockApplication.
bool acrxUnloadModule(const ACHAR* fileName, bool asCmd = false);

bool acrxUnlockApplication(void* appId);
bool acrxRegisterAppMDIAware(void* appId);

// Address of an exported symbol of the module that registered serviceName;
// null when the service or the symbol is unknown.
void* acrxGetSymbolAddress(const ACHAR* serviceName, const ACHAR* symbol);
