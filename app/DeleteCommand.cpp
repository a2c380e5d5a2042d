// znsim delete: a stored simulation deleted by name, unless it is in use.
// Its block references leave the drawing with it.
#include "app/Commands.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "storage/CPmDbxFactory200.h"

namespace
{
struct DeleteOptions : DrawingOptions
{
    std::string name;
};

// The factory's answers when deleting by name.
enum DeleteAnswer
{
    kNoneFound = 0,
    kDeleted = 1,
    kInUse = 2,
};

Outcome DeleteSimulation(HostSession&, const DeleteOptions& options)
{
    const std::string name = StoredName(options.name);
    const int answer = CPmDbxFactory200::DeleteSim(HostText(name));
    if (answer == kNoneFound)
    {
        if (const std::optional<std::string> kept = KeptReason(name))
            throw CommandFailure(ExitStatus::refused, options.file + ": \"" + name + "\" " + *kept);
        throw SimulationNotFound(options.file, options.name);
    }
    if (answer == kInUse)
        throw CommandFailure(ExitStatus::refused, options.file + ": \"" + name +
                                                      "\" is in use; clear the mark first (znsim unuse)");
    const nlohmann::json data = {{"file", options.file}, {"deleted", name}};
    return {true, data, "Deleted \"" + name + "\" from " + options.file + ".\n"};
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
