#include "host/AcRxDynamicLinker.h"

#include "cadhost/HostDiagnostics.h"
#include "cadhost/ModuleService.h"
#include "cadhost/SystemRegistry.h"
#include "cadhost/Utf8Text.h"

#include <dlfcn.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace
{
struct LoadedModule
{
    enum class State
    {
        initialising,
        loaded,
        unloading
    };

    cadhost::ModuleSerial serial;
    void* handle;
    AcRxEntryPointFunc entryPoint;
    State state = State::initialising;
    // Loads not yet undone; the module goes with the last.
    int loads = 1;
    bool unlocked = false;
    bool mdiAware = false;
};

// Loaded modules by resolved path. Entry points may load or unload other
// modules while they run, so nothing holds an entry across a call into a
// module: it is found again by its serial.
class ModuleTable
{
public:
    LoadedModule* byPath(const std::string& path)
    {
        const auto found = mModules.find(path);
        return found != mModules.end() ? &found->second : nullptr;
    }

    LoadedModule* byHandle(const void* handle)
    {
        return findIf([handle](const LoadedModule& m) { return m.handle == handle; });
    }

    LoadedModule* bySerial(cadhost::ModuleSerial serial)
    {
        return findIf([serial](const LoadedModule& m) { return m.serial == serial; });
    }

    cadhost::ModuleSerial add(const std::string& path, void* handle, AcRxEntryPointFunc entryPoint)
    {
        const cadhost::ModuleSerial serial = ++mLastSerial;
        mModules.emplace(path, LoadedModule{serial, handle, entryPoint});
        return serial;
    }

    void remove(cadhost::ModuleSerial serial)
    {
        for (auto it = mModules.begin(); it != mModules.end(); ++it)
        {
            if (it->second.serial == serial)
            {
                mModules.erase(it);
                return;
            }
        }
    }

    // Modules whose initialisation message is being handled, innermost last.
    std::vector<cadhost::ModuleSerial> initialising;

private:
    template <class Predicate> LoadedModule* findIf(Predicate predicate)
    {
        for (auto& entry : mModules)
        {
            if (predicate(entry.second))
                return &entry.second;
        }
        return nullptr;
    }

    std::map<std::string, LoadedModule> mModules;
    cadhost::ModuleSerial mLastSerial = 0;
};

ModuleTable& modules()
{
    static auto* table = new ModuleTable();
    return *table;
}

// Callers write Windows paths; either separator names the same file here.
std::string platformPath(const ACHAR* fileName)
{
    std::wstring path(fileName);
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return cadhost::toUtf8(path);
}

std::optional<std::string> resolvedPath(const ACHAR* fileName)
{
    if (fileName == nullptr)
        return std::nullopt;
    char resolved[PATH_MAX];
    if (::realpath(platformPath(fileName).c_str(), resolved) == nullptr)
        return std::nullopt;
    return std::string(resolved);
}

bool refuse(bool printit, const ACHAR* fileName, const std::string& reason)
{
    if (printit)
    {
        const std::string name = fileName != nullptr ? platformPath(fileName) : "(no name)";
        std::fprintf(stderr, "Unable to load module %s: %s\n", name.c_str(), reason.c_str());
    }
    return false;
}

template <class Function> Function exported(void* handle, const char* name)
{
    return reinterpret_cast<Function>(::dlsym(handle, name));
}

// The module's entry point when it is a module of this host release.
std::optional<AcRxEntryPointFunc> moduleEntryPoint(void* handle, std::string& reason)
{
    const auto apiVersion = exported<AcRxGetApiVersionFunc>(handle, "acrxGetApiVersion");
    const auto entryPoint = exported<AcRxEntryPointFunc>(handle, "acrxEntryPoint");
    if (apiVersion == nullptr || entryPoint == nullptr)
        reason = "it exports no acrxGetApiVersion and acrxEntryPoint";
    else if (apiVersion() != ACRX_API_VERSION)
        reason = "it was built for another version of the host";
    else
        return entryPoint;
    return std::nullopt;
}

bool initialise(cadhost::ModuleSerial serial, bool printit, const ACHAR* fileName)
{
    ModuleTable& table = modules();
    const LoadedModule module = *table.bySerial(serial);
    table.initialising.push_back(serial);
    const AcRx::AppRetCode result = module.entryPoint(AcRx::kInitAppMsg, module.handle);
    table.initialising.pop_back();
    if (result != AcRx::kRetOK)
    {
        table.remove(serial);
        ::dlclose(module.handle);
        return refuse(printit, fileName, "its initialisation failed");
    }
    table.bySerial(serial)->state = LoadedModule::State::loaded;
    return true;
}

// What a module declares about itself, by its application id.
bool declare(const void* appId, bool LoadedModule::*flag)
{
    LoadedModule* module = appId != nullptr ? modules().byHandle(appId) : nullptr;
    if (module == nullptr)
        return false;
    module->*flag = true;
    return true;
}

LoadedModule* moduleAt(const ACHAR* fileName)
{
    const std::optional<std::string> path = resolvedPath(fileName);
    return path ? modules().byPath(*path) : nullptr;
}
} // namespace

// A module loaded already is not loaded again: as a command that is refused,
// else the load is counted.
bool loadAgain(LoadedModule& module, bool printit, const ACHAR* fileName, bool asCmd)
{
    if (asCmd)
        return refuse(printit, fileName, "it is loaded already");
    ++module.loads;
    return true;
}

bool acrxLoadModule(const ACHAR* fileName, bool printit, bool asCmd)
{
    const std::optional<std::string> path = resolvedPath(fileName);
    if (!path)
        return refuse(printit, fileName, "no such file");
    ModuleTable& table = modules();
    if (LoadedModule* loaded = table.byPath(*path))
        return loadAgain(*loaded, printit, fileName, asCmd);
    void* handle = ::dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return refuse(printit, fileName, ::dlerror());
    // The same file under another name (a link) is the module loaded already.
    if (LoadedModule* loaded = table.byHandle(handle))
    {
        ::dlclose(handle);
        return loadAgain(*loaded, printit, fileName, asCmd);
    }
    std::string reason;
    const std::optional<AcRxEntryPointFunc> entryPoint = moduleEntryPoint(handle, reason);
    if (!entryPoint)
    {
        ::dlclose(handle);
        return refuse(printit, fileName, reason);
    }
    return initialise(table.add(*path, handle, *entryPoint), printit, fileName);
}

bool acrxUnloadModule(const ACHAR* fileName, bool /*asCmd*/)
{
    LoadedModule* module = moduleAt(fileName);
    if (module == nullptr || module->state != LoadedModule::State::loaded || !module->unlocked)
        return false;
    if (module->loads > 1)
    {
        --module->loads;
        return true;
    }
    module->state = LoadedModule::State::unloading;
    const LoadedModule unloading = *module;
    const AcRx::AppRetCode result = unloading.entryPoint(AcRx::kUnloadAppMsg, unloading.handle);
    ModuleTable& table = modules();
    if (result != AcRx::kRetOK)
    {
        table.bySerial(unloading.serial)->state = LoadedModule::State::loaded;
        return false;
    }
    table.remove(unloading.serial);
    ::dlclose(unloading.handle);
    return true;
}

bool acrxUnlockApplication(void* appId)
{
    return declare(appId, &LoadedModule::unlocked);
}

bool acrxRegisterAppMDIAware(void* appId)
{
    return declare(appId, &LoadedModule::mdiAware);
}

void* acrxGetSymbolAddress(const ACHAR* serviceName, const ACHAR* symbol)
{
    if (serviceName == nullptr || symbol == nullptr)
        return nullptr;
    const auto* service =
        dynamic_cast<const cadhost::ModuleService*>(cadhost::serviceDictionary()->at(serviceName));
    const LoadedModule* module =
        service != nullptr ? modules().bySerial(service->module()) : nullptr;
    return module != nullptr ? ::dlsym(module->handle, cadhost::toUtf8(symbol).c_str()) : nullptr;
}

namespace cadhost
{
ModuleSerial moduleBeingInitialised()
{
    const std::vector<ModuleSerial>& initialising = modules().initialising;
    return initialising.empty() ? 0 : initialising.back();
}

bool moduleIsLoaded(const ACHAR* fileName)
{
    return moduleAt(fileName) != nullptr;
}

bool moduleIsMDIAware(const ACHAR* fileName)
{
    const LoadedModule* module = moduleAt(fileName);
    return module != nullptr && module->mdiAware;
}
} // namespace cadhost
