// znsim use and unuse: set and clear the in-use mark through the drawing's
// simulation list. Only simulations whose mark changes are stored again, so
// that the others keep their edit times.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "app/TextView.h"

#include <algorithm>

namespace
{
struct UseOptions : DrawingOptions
{
    // Empty for unuse without a name: every simulation in use.
    std::string name;
};

// The simulation of that name as the drawing spells it, or without a name
// those in use.
std::vector<CPmSim200*> Targets(CPmSimList200& list, const UseOptions& options)
{
    const CString name = HostText(StoredName(options.name));
    std::vector<CPmSim200*> targets;
    for (int i = 0; i < list.Size(); ++i)
    {
        CPmSim200* sim = list.Sim(i);
        if (options.name.empty() ? sim->SimInUse() != 0 : *sim->Name() == name)
            targets.push_back(sim);
    }
    if (targets.empty() && !options.name.empty())
        throw SimulationNotFound(options.file, options.name);
    for (CPmSim200* sim : targets)
        if (!sim->IsCurVersion())
            throw Failure(FailureKind::refused,
                                 options.file + ": \"" + Utf8(*sim->Name()) +
                                     "\" is a version-101 simulation; upgrade it first");
    return targets;
}

// name is the stored spelling of the simulation asked for, empty for unuse
// of every one: the report names it even when its mark did not change.
std::string MarkText(const nlohmann::json& data, const std::string& name)
{
    const std::string file = data["file"];
    const std::size_t changed = data["changed"].size();
    const std::string quoted = "\"" + name + "\"";
    if (data["in_use"].get<bool>())
        return changed != 0 ? "Marked " + quoted + " in use in " + file + ".\n"
                            : quoted + " is in use already.\n";
    if (!name.empty())
        return changed != 0 ? "Cleared the in-use mark of " + quoted + " in " + file + ".\n"
                            : quoted + " is not in use.\n";
    return changed != 0 ? "Cleared the in-use mark of " + Counted(changed, "simulation") + " in " + file + ".\n"
                        : "No simulation of " + file + " is in use.\n";
}

Outcome SetMark(const UseOptions& options, bool inUse)
{
    HeldSimulationList list(Made(CPmDbxFactory200::LoadSimList(true, false)));
    std::vector<CPmSim200*> changing = Targets(*list, options);
    changing.erase(std::remove_if(changing.begin(), changing.end(),
                                  [inUse](CPmSim200* sim) { return (sim->SimInUse() != 0) == inUse; }),
                   changing.end());
    if (inUse)
    {
        // Marking compares names exactly, so it is given the stored spelling.
        if (!changing.empty())
            list->SetSimInUse(*changing.front()->Name());
    }
    else if (options.name.empty())
        list->ResetUse();
    else
        for (CPmSim200* sim : changing)
            sim->SetSimInUse(false);
    nlohmann::json names = nlohmann::json::array();
    for (CPmSim200* sim : changing)
    {
        const int status = sim->Update();
        if (status != 0)
            throw Failure(FailureKind::internal, options.file + ": \"" + Utf8(*sim->Name()) +
                                                          "\" cannot be stored (status " +
                                                          std::to_string(status) + ")");
        names.push_back(Utf8(*sim->Name()));
    }
    const nlohmann::json data = {{"file", options.file}, {"in_use", inUse}, {"changed", names}};
    return {!changing.empty(), Report(data, StoredName(options.name), MarkText)};
}
} // namespace

void AddUseCommands(CLI::App& app, Action& action)
{
    auto use = std::make_shared<UseOptions>();
    AddDrawingCommand(app, action, DrawingAccess::change, "use", "Mark a simulation in use: it cannot be deleted then", use,
                      [](AcDbDatabase&, const UseOptions& options) { return SetMark(options, true); })
        .add_option("NAME", use->name, "the simulation's name")
        ->required();
    auto unuse = std::make_shared<UseOptions>();
    AddDrawingCommand(app, action, DrawingAccess::change, "unuse",
                      "Clear the in-use mark of a simulation, or of every simulation when no "
                      "name is given",
                      unuse,
                      [](AcDbDatabase&, const UseOptions& options) { return SetMark(options, false); })
        .add_option("NAME", unuse->name, "the simulation's name");
}
