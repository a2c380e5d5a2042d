// znsim upgrade: simulations of the previous release stored again as
// version 200, one by name or all of them.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "app/TextView.h"

namespace
{
struct UpgradeOptions : DrawingOptions
{
    std::string name;
    bool all = false;
};

bool IsCurrent(const CString& name)
{
    const HeldSimulation sim(CPmDbxFactory200::LoadSim(name));
    return sim && sim->IsCurVersion();
}

// The names to upgrade: every version-101 simulation, or the one named when
// it is one (nothing when it is version 200 already).
std::vector<CString> ToUpgrade(const UpgradeOptions& options)
{
    std::vector<CString> names;
    if (options.all)
    {
        HeldSimulationList list(Made(CPmDbxFactory200::LoadSimList(true, false)));
        for (int i = 0; i < list->Size(); ++i)
            if (!list->Sim(i)->IsCurVersion())
                names.push_back(*list->Sim(i)->Name());
        return names;
    }
    // Stored again under the spelling it has, whatever the case asked.
    const CString name = HostText(StoredName(options.name));
    const HeldSimulation sim(CPmDbxFactory200::LoadSim(name));
    if (!sim)
        throw SimulationNotFound(options.file, options.name);
    if (!sim->IsCurVersion())
        names.push_back(name);
    return names;
}

std::string UpgradedText(const nlohmann::json& data)
{
    const std::string file = data["file"];
    const nlohmann::json& upgraded = data["upgraded"];
    if (upgraded.empty())
        return "Nothing to upgrade in " + file + ".\n";
    std::string text =
        "Upgraded " + Counted(upgraded.size(), "simulation") + " of " + file + " to version 200:\n";
    for (const nlohmann::json& name : upgraded)
        text += "  " + name.get<std::string>() + "\n";
    return text;
}

Outcome Upgrade(AcDbDatabase&, const UpgradeOptions& options)
{
    if (options.name.empty() && !options.all)
        throw Failure(FailureKind::badInput, "upgrade: give a simulation's NAME or --all");
    nlohmann::json upgraded = nlohmann::json::array();
    for (const CString& name : ToUpgrade(options))
    {
        CPmDbxFactory200::UpgradeSim(name);
        if (!IsCurrent(name))
            throw Failure(FailureKind::internal,
                                 options.file + ": \"" + Utf8(name) + "\" cannot be upgraded");
        upgraded.push_back(Utf8(name));
    }
    return {!upgraded.empty(), Report({{"file", options.file}, {"upgraded", upgraded}}, UpgradedText)};
}
} // namespace

void AddUpgradeCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<UpgradeOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::change, "upgrade",
        "Store simulations of the previous release (version 101) again as version 200", options,
        Upgrade);
    command.add_option("NAME", options->name, "the simulation to upgrade")
        ->excludes(command.add_flag("--all", options->all, "upgrade every version-101 simulation"));
}
