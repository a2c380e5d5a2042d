// znsim delete: a stored simulation deleted by name, unless it is in use or
// its block definitions are still used by others. Its block references leave
// the drawing with it, and the module erases their definitions.
#include "app/Commands.h"
#include "app/DeletionGuard.h"
#include "app/HeldSimulation.h"
#include "app/TextConversion.h"
#include "storage/CPmDbxFactory200.h"

namespace
{
struct DeleteOptions : DrawingOptions
{
    std::string name;
    bool force = false;
};

// The factory's answers when deleting by name.
enum DeleteAnswer
{
    kNoneFound = 0,
    kDeleted = 1,
    kInUse = 2,
};

CommandFailure InUse(const DeleteOptions& options)
{
    return {ExitStatus::refused,
            options.file + ": \"" + options.name + "\" is in use; clear the mark first (znsim unuse)"};
}

Outcome DeleteSimulation(HostSession&, const DeleteOptions& options)
{
    const CString name = HostText(options.name);
    if (const HeldSimulation sim{CPmDbxFactory200::LoadSim(name)}; sim && sim->SimInUse() != 0)
        throw InUse(options);
    const DeletionReach reach = WhatDeletingTakes({name.GetString()});
    GuardDeletion(options.file, "deleting \"" + options.name + "\"", reach, options.force);
    const int answer = CPmDbxFactory200::DeleteSim(name);
    if (answer == kNoneFound)
        throw SimulationNotFound(options.file, options.name);
    if (answer == kInUse)
        throw InUse(options);
    Outcome outcome{true, {{"file", options.file}, {"deleted", options.name}},
                    "Deleted \"" + options.name + "\" from " + options.file + ".\n"};
    ReportReach(outcome, reach);
    return outcome;
}
} // namespace

void AddDeleteCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<DeleteOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::change, "delete",
        "Delete a simulation and its block references, unless it is in use; the module erases "
        "the block definitions they show, so a definition that other block references or "
        "simulations still use is refused without --force",
        options, DeleteSimulation);
    command.add_option("NAME", options->name, "the simulation's name")->required();
    AddForceFlag(command, options->force);
}
