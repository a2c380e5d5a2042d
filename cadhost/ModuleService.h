// Services remember the module whose initialisation registered them, so that
// acrxGetSymbolAddress can find that module's exports by the service's name.
#pragma once

#include "host/AcRxService.h"

#include <cstdint>

namespace cadhost
{
// Modules are told apart by a number given at each load: a handle may be
// reused by a later load of another file, a number never is. 0 is no module.
using ModuleSerial = std::uint64_t;

// The module whose initialisation message is being handled (the innermost,
// when one module loads another while it initialises); 0 when none is.
ModuleSerial moduleBeingInitialised();

class ModuleService final : public AcRxService
{
public:
    explicit ModuleService(ModuleSerial module) : mModule(module) {}
    ModuleSerial module() const { return mModule; }

private:
    ModuleSerial mModule;
};
} // namespace cadhost
