// znsim clean: every simulation of the drawing removed, with its block
// references, unless the block definitions they show are used by others.
#include "app/Commands.h"
#include "app/DeletionGuard.h"
#include "app/TextView.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CleanSims.h"

namespace
{
std::size_t StoredEntries()
{
    CStringArray names;
    CIvAcadObject::GetObjectNames(L"ZN_SIM", &names);
    return static_cast<std::size_t>(names.GetSize());
}

struct CleanOptions : DrawingOptions
{
    bool force = false;
};

// Every simulation the module can load, which is what it cleans.
std::set<std::wstring> LoadableSimulations()
{
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    std::set<std::wstring> loadable;
    for (const CString& name : names)
        loadable.insert(name.GetString());
    return loadable;
}

Outcome Clean(HostSession&, const CleanOptions& options)
{
    const std::string& file = options.file;
    const DeletionReach reach = WhatDeletingTakes(LoadableSimulations());
    GuardDeletion(file, "cleaning", reach, options.force);
    const std::size_t before = StoredEntries();
    CleanSims();
    const std::size_t remaining = StoredEntries();
    const std::size_t removed = before - remaining;
    std::string text = "Removed " + Counted(removed, "simulation") + " from " + file + ".\n";
    if (remaining != 0)
        text += Counted(remaining, "entry", "entries") + " could not be read and stayed.\n";
    Outcome outcome{removed != 0, {{"file", file}, {"removed", removed}, {"remaining", remaining}}, text};
    ReportReach(outcome, reach);
    return outcome;
}
} // namespace

void AddCleanCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<CleanOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::change, "clean",
        "Remove every simulation of a drawing, in use or not, with its block references; a block "
        "definition they show that other block references still use is refused without --force",
        options, Clean);
    AddForceFlag(command, options->force);
}
