// znsim list: every simulation of a drawing, with the entries that cannot be
// read.
#include "app/Commands.h"
#include "app/SimReport.h"
#include "app/TextView.h"

Outcome ListSimulations(AcDbDatabase&, const DrawingOptions& options)
{
    const nlohmann::json list = SimulationList(options.file);
    return {false, Report(list, SimulationTableText)};
}

void AddListCommand(CLI::App& app, Action& action)
{
    AddDrawingCommand(app, action, DrawingAccess::read, "list",
                      "List the simulations of a drawing: name, type, identifier, in use, "
                      "version (200, or 101 still to upgrade), sections, length, created, edited",
                      std::make_shared<DrawingOptions>(), ListSimulations);
}
