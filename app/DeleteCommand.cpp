// znsim delete: a stored simulation deleted by name, unless it is in use.
// Its block references leave the drawing with it.
#include "app/Commands.h"
#include "app/TextConversion.h"
#include "storage/CPmDbxFactory200.h"

namespace
{
struct DeleteOptions : DrawingOptions
{
    std::string name;
};

Outcome DeleteSimulation(HostSession&, const DeleteOptions& options)
{
    const int answer = CPmDbxFactory200::DeleteSim(HostText(options.name));
    if (answer == CPmDbxFactory200::kSimNotFound)
        throw SimulationNotFound(options.file, options.name);
    if (answer == CPmDbxFactory200::kSimInUse)
        throw CommandFailure(ExitStatus::refused, options.file + ": \"" + options.name +
                                                      "\" is in use; clear the mark first (znsim unuse)");
    const nlohmann::json data = {{"file", options.file}, {"deleted", options.name}};
    return {true, data, "Deleted \"" + options.name + "\" from " + options.file + ".\n"};
}
} // namespace

void AddDeleteCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<DeleteOptions>();
    AddDrawingCommand(app, action, "delete",
                      "Delete a simulation and its block references, unless it is in use", options,
                      DeleteSimulation)
        .add_option("NAME", options->name, "the simulation's name")
        ->required();
}
