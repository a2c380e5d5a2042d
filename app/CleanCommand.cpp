// znsim clean: every simulation of the drawing removed, with its block
// references.
#include "app/Commands.h"
#include "app/TextView.h"
#include "storage/CIvAcadObject.h"
#include "storage/CleanSims.h"
#include "storage/SimDictionary.h"

namespace
{
std::size_t StoredEntries()
{
    CStringArray names;
    CIvAcadObject::GetObjectNames(kSimDictionary, &names);
    return static_cast<std::size_t>(names.GetSize());
}

Outcome Clean(HostSession&, const DrawingOptions& options)
{
    const std::string& file = options.file;
    const std::size_t before = StoredEntries();
    CleanSims();
    const std::size_t remaining = StoredEntries();
    const std::size_t removed = before - remaining;
    std::string text = "Removed " + Counted(removed, "simulation") + " from " + file + ".\n";
    if (remaining != 0)
        text += Counted(remaining, "entry", "entries") + " could not be read and stayed.\n";
    return {removed != 0, {{"file", file}, {"removed", removed}, {"remaining", remaining}}, text};
}
} // namespace

void AddCleanCommand(CLI::App& app, Action& action)
{
    AddDrawingCommand(app, action, "clean",
                      "Remove every simulation of a drawing, in use or not, with its block references",
                      std::make_shared<DrawingOptions>(), Clean);
}
