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

// Whether object's dynamic type is the legacy class whose type_info the
// module exports as symbol. A dynamic_cast to a legacy class would need that
// type_info at link time instead. The object's type is read only once the
// module is known to be there: the type of an object of an unloaded module
// is gone with it.
template <class Object> bool isExactly(const Object& object, const ACHAR* symbol)
{
    const auto* type = static_cast<const std::type_info*>(exported(symbol));
    return type != nullptr && typeid(object) == *type;
}
} // namespace

namespace LegacyModule
{
CPmSim* LoadSim(const CString& name)
{
    const auto loadSim = reinterpret_cast<LoadSimFunction>(exported(kLoadSim));
    return loadSim != nullptr ? loadSim(name) : nullptr;
}

bool IsStoredSim(const CPmSim& sim)
{
    return isExactly(sim, kSimType);
}

bool IsStoredSim(const AcDbObject& object)
{
    return isExactly(object, kSimType);
}

bool IsBlock(const CZnBlock& block)
{
    return isExactly(block, kBlockType);
}
} // namespace LegacyModule
