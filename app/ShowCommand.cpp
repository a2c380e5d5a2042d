// znsim show: one simulation's tree, with a limited number of positions per
// segment unless every one is asked for.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/SimReport.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "app/TextView.h"

namespace
{
struct ShowOptions : DrawingOptions
{
    std::string name;
    std::size_t positions = 5;
    bool all = false;
};

Outcome ShowSimulation(AcDbDatabase&, const ShowOptions& options)
{
    HeldSimulation sim(CPmDbxFactory200::LoadSim(HostText(StoredName(options.name))));
    if (!sim)
        throw SimulationNotFound(options.file, options.name);
    const std::optional<std::size_t> limit =
        options.all ? std::nullopt : std::optional<std::size_t>(options.positions);
    nlohmann::json tree = SimulationTree(*sim, limit);
    tree["file"] = options.file;
    return {false, Report(tree, SimulationTreeText)};
}
} // namespace

void AddShowCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<ShowOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::read, "show",
        "Show a simulation's tree: sections with their speeds, segments, parts, blocks and positions",
        options, ShowSimulation);
    command.add_option("NAME", options->name, "the simulation's name")->required();
    // Checked before conversion: "-1" would otherwise wrap to every position.
    command.add_option("--positions", options->positions, "positions shown per segment (default 5)")
        ->check(CLI::Range(0, 1000000));
    command.add_flag("--all", options->all, "show every position");
}
