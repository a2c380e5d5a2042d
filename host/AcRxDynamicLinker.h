// Loading and unloading of modules, and binding to a module's exports.
#pragma once

#include "host/AcRx.h"

// Loads the shared-library module at fileName (either path separator is
// accepted), checks its acrxGetApiVersion and sends kInitAppMsg to its
// acrxEntryPoint, with the module's handle as the application id. False when
// the file cannot be loaded, is not a module, or its entry point answers the
// message with anything but kRetOK; nothing stays loaded then, and the reason
// goes to the error stream only with printit. A module that is loaded
// already (or being initialised) gets no second message: loaded as a command
// (asCmd) again it answers false; otherwise the load succeeds and is
// counted. A module may load others while it initialises.
bool acrxLoadModule(const ACHAR* fileName, bool printit, bool asCmd = false);

// Undoes one load. Only the last one sends kUnloadAppMsg and unloads the
// module. False when it is not loaded, is still initialising or already
// unloading, has not unlocked itself with acrxUnlockApplication, or answers
// the message with anything but kRetOK (it then stays loaded).
bool acrxUnloadModule(const ACHAR* fileName, bool asCmd = false);

// Both answer false for an application id that is no loaded module's.
bool acrxUnlockApplication(void* appId);
bool acrxRegisterAppMDIAware(void* appId);

// Address of an exported symbol of the module that registered serviceName
// while it initialised; null when the service or the symbol is unknown, or
// that module is no longer loaded.
void* acrxGetSymbolAddress(const ACHAR* serviceName, const ACHAR* symbol);
