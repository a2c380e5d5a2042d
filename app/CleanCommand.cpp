// znsim clean: every simulation of the drawing removed, with its block
// references, unless the block definitions they show are used by others.
#include "app/Commands.h"
#include "app/DeletionGuard.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "app/TextView.h"
#include "storage/CIvAcadObject.h"
#include "storage/CleanSims.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/SimDictionary.h"

namespace
{
CStringArray StoredEntries()
{
    CStringArray names;
    CIvAcadObject::GetObjectNames(kSimDictionary, &names);
    return names;
}

// Each entry that stayed, and why.
nlohmann::json KeptEntries(const CStringArray& names)
{
    nlohmann::json kept = nlohmann::json::array();
    for (int i = 0; i < names.GetSize(); ++i)
    {
        const std::string name = Utf8(names[i]);
        kept.push_back({{"name", name},
                        {"reason", KeptReason(name).value_or("could not be read by the module")}});
    }
    return kept;
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

std::string CleanedText(const nlohmann::json& data)
{
    std::string text = "Removed " + Counted(data["removed"], "simulation") + " from " +
                       data["file"].get<std::string>() + ".\n";
    for (const nlohmann::json& entry : data["kept"])
        text += "Could not remove \"" + entry["name"].get<std::string>() + "\": it " +
                entry["reason"].get<std::string>() + ".\n";
    return text + ReachText(data);
}

Outcome Clean(AcDbDatabase&, const CleanOptions& options)
{
    const std::string& file = options.file;
    const DeletionReach reach = WhatDeletingTakes(LoadableSimulations());
    GuardDeletion(file, "cleaning", reach, options.force);
    const auto before = static_cast<std::size_t>(StoredEntries().GetSize());
    CleanSims();
    const nlohmann::json kept = KeptEntries(StoredEntries());
    const std::size_t removed = before - kept.size();
    nlohmann::json data = {{"file", file}, {"removed", removed}, {"remaining", kept.size()}, {"kept", kept}};
    ReportReach(data, reach);
    return {removed != 0, Report(data, CleanedText)};
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
