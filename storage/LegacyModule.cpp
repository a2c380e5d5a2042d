#include "storage/LegacyModule.h"

#include "host/AcRxDynamicLinker.h"
#include "host/legacy101/CPmAcadSim.h"
#include "host/legacy101/CZnAcadBlock.h"

#include <typeinfo>

namespace
{
// The exports' own (mangled) names: static CPmDbxFactory::LoadSim(const
// CString&) and the type_info objects of CPmAcadSim and CZnAcadBlock.
const ACHAR* const kLoadSim = ACRX_T("_ZN13CPmDbxFactory7LoadSimERK7CString");
const ACHAR* const kSimType = ACRX_T("_ZTI10CPmAcadSim");
const ACHAR* const kBlockType = ACRX_T("_ZTI12CZnAcadBlock");

using LoadSimFunction = CPmSim* (*)(const CString&);

// Looked up on every use rather than kept: an address kept would outlive an
// unload of the module, and the host answers null once the module is gone.
void* exported(const ACHAR* symbol)
{
    return acrxGetSymbolAddress(kLegacyServiceName, symbol);
}

// A legacy class's type_info; null while the module is not loaded. A
// dynamic_cast to a legacy class would need it at link time instead.
const std::type_info* legacyType(const ACHAR* symbol)
{
    return static_cast<const std::type_info*>(exported(symbol));
}
} // namespace

namespace LegacyModule
{
CPmSim* LoadSim(const CString& name)
{
    const auto loadSim = reinterpret_cast<LoadSimFunction>(exported(kLoadSim));
    return loadSim != nullptr ? loadSim(name) : nullptr;
}

// An object's dynamic type is read only once the module is known to be
// there: the type of an object of an unloaded module is gone with it.
bool IsStoredSim(const CPmSim& sim)
{
    const std::type_info* type = legacyType(kSimType);
    return type != nullptr && typeid(sim) == *type;
}

bool IsBlock(const CZnBlock& block)
{
    const std::type_info* type = legacyType(kBlockType);
    return type != nullptr && typeid(block) == *type;
}
} // namespace LegacyModule
