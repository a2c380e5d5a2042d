// znsim info: what a drawing is made of, what the module makes of its
// simulations, and whether the previous release's module is there to read
// its version-101 ones.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "app/TextView.h"
#include "cadhost/DatabaseObjects.h"
#include "drawing/BlockWalk.h"
#include "drawing/Layers.h"
#include "drawing/Names.h"
#include "host/AcDbEntity.h"
#include "host/AcDbProxyObject.h"
#include "host/AcRxClass.h"
#include "storage/CIvAcadObject.h"
#include "storage/SimDictionary.h"

#include <filesystem>
#include <map>

namespace
{
using nlohmann::json;

// A proxy stands for an object whose class could not read it; it is counted
// under that class.
std::string ClassName(AcDbObjectId id)
{
    const AcRxClass* objectClass = id.objectClass();
    if (!objectClass->isDerivedFrom(AcDbProxyObject::desc()))
        return Utf8(std::wstring(objectClass->name()));
    AcDbProxyObject* proxy = nullptr;
    if (acdbOpenObject(proxy, id, AcDb::kForRead) != Acad::eOk)
        return "AcDbProxyObject";
    const std::string name = Utf8(std::wstring(proxy->originalClassName())) + " (proxy)";
    proxy->close();
    return name;
}

// Live objects by class, as the host lists them: the handle seed of a hostile
// drawing may be near 2^64, so walking the handles below it never ends.
json Classes(const AcDbDatabase& drawing)
{
    std::map<std::string, std::size_t> counts;
    for (const AcDbObjectId id : cadhost::liveObjectIds(drawing))
        ++counts[ClassName(id)];
    json classes = json::array();
    for (const auto& [name, count] : counts)
        classes.push_back({{"name", name}, {"objects", count}});
    return classes;
}

json Simulations()
{
    CStringArray names;
    CIvAcadObject::GetObjectNames(kSimDictionary, &names);
    HeldSimulationList list(Made(CPmDbxFactory200::LoadSimList(true, false)));
    std::size_t current = 0;
    for (int i = 0; i < list->Size(); ++i)
        current += list->Sim(i)->IsCurVersion() ? 1 : 0;
    const auto stored = static_cast<std::size_t>(names.GetSize());
    const auto listed = static_cast<std::size_t>(list->Size());
    return {{"stored", stored},
            {"version_200", current},
            {"version_101", listed - current},
            {"unreadable", stored - listed},
            {"colliding", CollidingNames()}};
}

struct InfoOptions : DrawingOptions
{
    bool entities = false;
};

// Model space's entities, each with its handle, class, layer and extent
// (null when it has none).
json Entities()
{
    json entities = json::array();
    ForEachModelSpaceEntity([&](const AcDbEntity& entity) {
        AcDbExtents extents;
        json extent = nullptr;
        if (entity.getGeomExtents(extents) == Acad::eOk)
        {
            const AcGePoint3d low = extents.minPoint();
            const AcGePoint3d high = extents.maxPoint();
            extent = {{low.x, low.y, low.z}, {high.x, high.y, high.z}};
        }
        const std::optional<EntityLayer> layer = LayerOf(entity);
        entities.push_back({{"handle", HandleText(entity.objectId().handle())},
                            {"class", ClassName(entity.objectId())},
                            {"layer", layer ? json(layer->name) : json(nullptr)},
                            {"extent", extent}});
    });
    return entities;
}

Outcome Info(AcDbDatabase& drawing, const InfoOptions& options)
{
    const std::string& file = options.file;
    std::error_code error;
    const json info = {
        {"file", file},
        {"bytes", std::filesystem::file_size(file, error)},
        {"objects", drawing.numObjects()},
        {"proxies", drawing.numProxies()},
        {"classes", Classes(drawing)},
        {"simulations", Simulations()},
        {"module", ModuleFile().string()},
        {"legacy_module", {{"path", LegacyModuleFile().string()}, {"loaded", LegacyModuleLoaded()}}}};
    if (!options.entities)
        return {false, Report(info, DrawingInfoText)};
    json withEntities = info;
    withEntities["entities"] = Entities();
    return {false, Report(withEntities, DrawingInfoText)};
}
} // namespace

void AddInfoCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<InfoOptions>();
    CLI::App& command = AddDrawingCommand(app, action, DrawingAccess::read, "info",
                                          "Show a drawing's classes, object counts and proxies, its simulations, "
                                          "and whether the previous release's module is loaded",
                                          options, Info);
    command.add_flag("--entities", options->entities,
                     "also list model space's entities: handle, class, layer and extent");
}
