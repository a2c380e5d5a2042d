// znsim delete: a stored simulation deleted by name, unless it is in use or
// its block definitions are still used by others. Its block references leave
// the drawing with it, and the module erases their definitions.
#include "app/Commands.h"
#include "app/DeletionGuard.h"
#include "app/HeldSimulation.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "storage/CPmDbxFactory200.h"

namespace
{
struct DeleteOptions : DrawingOptions
{
    std::string name;
    bool force = false;
};

Failure InUse(const std::string& file, const std::string& name)
{
    return {FailureKind::refused, file + ": \"" + name + "\" is in use; clear the mark first (znsim unuse)"};
}

std::string DeletedText(const nlohmann::json& data)
{
    return "Deleted \"" + data["deleted"].get<std::string>() + "\" from " + data["file"].get<std::string>() +
           ".\n" + ReachText(data);
}

Outcome DeleteSimulation(AcDbDatabase&, const DeleteOptions& options)
{
    const std::string name = StoredName(options.name);
    const CString hostName = HostText(name);
    if (const HeldSimulation sim{CPmDbxFactory200::LoadSim(hostName)}; sim && sim->SimInUse() != 0)
        throw InUse(options.file, name);
    const DeletionReach reach = WhatDeletingTakes({hostName.GetString()});
    GuardDeletion(options.file, "deleting \"" + name + "\"", reach, options.force);
    const int answer = CPmDbxFactory200::DeleteSim(hostName);
    if (answer == CPmDbxFactory200::kSimNotFound)
    {
        if (const std::optional<std::string> kept = KeptReason(name))
            throw Failure(FailureKind::refused, options.file + ": \"" + name + "\" " + *kept);
        throw SimulationNotFound(options.file, options.name);
    }
    if (answer == CPmDbxFactory200::kSimInUse)
        throw InUse(options.file, name);
    nlohmann::json data = {{"file", options.file}, {"deleted", name}};
    ReportReach(data, reach);
    return {true, Report(data, DeletedText)};
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
