// znsim clean: every simulation of the drawing removed, with its block
// references.
#include "app/Commands.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "app/TextView.h"
#include "storage/CIvAcadObject.h"
#include "storage/CleanSims.h"

namespace
{
CStringArray StoredEntries()
{
    CStringArray names;
    CIvAcadObject::GetObjectNames(L"ZN_SIM", &names);
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

Outcome Clean(HostSession&, const DrawingOptions& options)
{
    const std::string& file = options.file;
    const auto before = static_cast<std::size_t>(StoredEntries().GetSize());
    CleanSims();
    const nlohmann::json kept = KeptEntries(StoredEntries());
    const std::size_t removed = before - kept.size();
    std::string text = "Removed " + Counted(removed, "simulation") + " from " + file + ".\n";
    for (const nlohmann::json& entry : kept)
        text += "Could not remove \"" + entry["name"].get<std::string>() + "\": it " +
                entry["reason"].get<std::string>() + ".\n";
    return {removed != 0,
            {{"file", file}, {"removed", removed}, {"remaining", kept.size()}, {"kept", kept}},
            text};
}
} // namespace

void AddCleanCommand(CLI::App& app, Action& action)
{
    AddDrawingCommand(app, action, "clean",
                      "Remove every simulation of a drawing, in use or not, with its block references",
                      std::make_shared<DrawingOptions>(), Clean);
}
