// znsim list: every simulation of a drawing, with the entries that cannot be
// read.
#include "app/Commands.h"
#include "app/SimReport.h"
#include "app/TextView.h"

void AddListCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<DrawingOptions>();
    CLI::App* command = app.add_subcommand(
        "list", "List the simulations of a drawing: name, type, identifier, in use, version "
                "(200, or 101 still to upgrade), sections, length, created, edited");
    AddDrawingOptions(*command, *options);
    Select(*command, action, [options] {
        return RunOnDrawing(*options, [&file = options->file](HostSession&) {
            const nlohmann::json list = SimulationList(file);
            return Outcome{false, list, SimulationTableText(list)};
        });
    });
}
