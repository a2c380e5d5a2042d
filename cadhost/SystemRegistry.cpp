#include "cadhost/SystemRegistry.h"

#include "cadhost/AcRxImpClass.h"
#include "cadhost/HostClassRegistrar.h"

#include <vector>

namespace
{
struct SystemRegistry
{
    AcRxDictionary* root;
    AcRxDictionary* classes;
    AcRxDictionary* services;
};

// Zero before any constructor of the library runs, so registrars can ask
// whether the registry exists whatever order static initialisation takes.
// Set before the host classes are entered, because entering them comes back
// here. The registry lives as long as the process.
SystemRegistry* g_registry = nullptr;

std::vector<cadhost::HostClassInfo>& hostClasses()
{
    static auto* classes = new std::vector<cadhost::HostClassInfo>();
    return *classes;
}

void enterHostClass(const cadhost::HostClassInfo& info)
{
    AcRxClass* cls =
        newAcRxClass(info.name, info.parentName, 0, info.pseudoConstructor, info.dxfName);
    if (cls != nullptr)
        AcRxImpClass::of(*cls).markHostClass();
}

SystemRegistry& registry()
{
    if (g_registry == nullptr)
    {
        g_registry = new SystemRegistry{new AcRxDictionary(), new AcRxDictionary(),
                                        new AcRxDictionary()};
        g_registry->root->atPut(ACRX_CLASS_DICTIONARY, g_registry->classes);
        g_registry->root->atPut(ACRX_SERVICE_DICTIONARY, g_registry->services);
        for (const cadhost::HostClassInfo& info : hostClasses())
            enterHostClass(info);
        acrxBuildClassHierarchy();
    }
    return *g_registry;
}
} // namespace

AcRxDictionary* acrxSysRegistry()
{
    return registry().root;
}

namespace cadhost
{
AcRxDictionary* classDictionary()
{
    return registry().classes;
}

AcRxDictionary* serviceDictionary()
{
    return registry().services;
}

AcRxClass* registeredClass(const ACHAR* name)
{
    return name != nullptr ? dynamic_cast<AcRxClass*>(classDictionary()->at(name)) : nullptr;
}

HostClassRegistrar::HostClassRegistrar(const HostClassInfo& info)
{
    hostClasses().push_back(info);
    // A class whose library initialises after the registry was made (its
    // parent perhaps later still) enters at once and is linked like the rest.
    if (g_registry != nullptr)
    {
        enterHostClass(info);
        acrxBuildClassHierarchy();
    }
}

AcRxClass* hostClassDesc(const ACHAR* name)
{
    AcRxClass* cls = registeredClass(name);
    return cls != nullptr && AcRxImpClass::of(*cls).isHostClass() ? cls : nullptr;
}
} // namespace cadhost
