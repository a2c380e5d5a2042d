// znsim new: a simulation built from a JSON description and stored in the
// drawing.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/SimBuilder.h"
#include "app/SimReport.h"
#include "app/TextView.h"

namespace
{
struct NewOptions : DrawingOptions
{
    std::string description;
};

std::string StoredText(const nlohmann::json& summary)
{
    return "Stored simulation \"" + summary["name"].get<std::string>() + "\" in " +
           summary["file"].get<std::string>() + ": " + Counted(summary["section_count"], "section") +
           ", length " + std::to_string(summary["length"].get<int>()) + ".\n";
}

Outcome NewSimulation(AcDbDatabase&, const NewOptions& options)
{
    const SimDescription description = ReadSimDescription(options.description);
    StoreSimulation(description, options.file, options.description);
    HeldSimulation stored(CPmDbxFactory200::LoadSim(description.name.c_str()));
    if (!stored)
        throw Failure(FailureKind::internal,
                             options.file + ": the simulation stored cannot be read back");
    nlohmann::json summary = SimulationSummary(*stored);
    summary["file"] = options.file;
    return {true, Report(summary, StoredText)};
}
} // namespace

void AddNewCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<NewOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::change, "new", "Build a simulation from a JSON description (docs/znsim.md) and store it",
        options, NewSimulation);
    command.add_option("--from", options->description, "the JSON description")->required();
}
