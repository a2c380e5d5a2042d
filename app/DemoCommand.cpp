// znsim demo: the main job on a built-in default. It draws three vehicles in
// a new drawing, builds two simulations of them through the module's
// factories, stores and saves them, reads the file back into a fresh drawing
// and shows what it holds.
#include "app/Commands.h"
#include "app/DemoSimulations.h"
#include "app/HeldSimulation.h"
#include "app/SimBuilder.h"
#include "app/SimReport.h"
#include "motion/SpeedUnits.h"
#include "app/TextConversion.h"
#include "app/TextView.h"
#include "drawing/Names.h"
#include "drawing/NumberText.h"

namespace
{
// The simulation whose tree the demo prints, with this many positions per
// segment.
const char* const kShownSimulation = "Harbour convoy";
constexpr std::size_t kShownPositions = 3;

// What the demo's text says beyond its JSON: the simulations as they were
// described, and how the program was run, for the commands it suggests.
struct DemoRun
{
    std::vector<SimDescription> built;
    std::string program;
};

std::string Built(const SimDescription& sim)
{
    std::string speeds;
    int length = 0;
    for (const SectionDescription& section : sim.sections)
    {
        speeds += (speeds.empty() ? "" : ", ") + NumberText(section.speed) + " " + SpeedUnitName(section.unit);
        length += static_cast<int>(section.segments.back().positions.size());
    }
    return "  \"" + Utf8(sim.name) + "\": " + Counted(sim.sections.size(), "section") + " (" +
           speeds + "), length " + std::to_string(length) + "\n";
}

// The commands to try on the demo's drawing, as the program was run.
std::string NextSteps(const std::string& program, const std::string& file)
{
    const std::string name = "\"" + std::string(kShownSimulation) + "\"";
    std::string text = "Wrote " + file + ". Try next:\n";
    for (const std::string& command :
         {"list " + file, "show " + file + " \"Ferry crossing\" --all", "info " + file,
          "new " + file + " --from docs/samples/convoy.json", "use " + file + " " + name,
          "delete " + file + " " + name})
        text += "  " + program + " " + command + "\n";
    return text;
}

std::string DemoText(const nlohmann::json& data, const DemoRun& run)
{
    const std::string file = data["file"];
    const nlohmann::json& vehicles = data["vehicles"];
    std::string text = "Drew a tractor, a trailer and a car as blocks in a new drawing and parked "
                       "one of each in model space\n(block references " +
                       vehicles["tractor"].get<std::string>() + ", " + vehicles["trailer"].get<std::string>() +
                       ", " + vehicles["car"].get<std::string>() + ").\nBuilt and stored " +
                       Counted(run.built.size(), "simulation") + ":\n";
    for (const SimDescription& sim : run.built)
        text += Built(sim);
    return text + "Saved " + file + " and read it back into a fresh drawing.\n\n" +
           SimulationTableText(data["list"]) + "\n" + SimulationTreeText(data["shown"]) + "\n" +
           NextSteps(run.program, file);
}

int RunDemo(const std::string& program, const DrawingOptions& options)
{
    HostSession host;
    const DrawingLock lock(options.file, DrawingAccess::create, options.wait);
    // The demo's vehicles and paths are drawn in metres.
    host.Create().setInsunits(AcDb::kUnitsMeters);
    const DemoVehicles vehicles = DrawDemoVehicles();
    std::vector<SimDescription> sims = DemoSimulations(vehicles);
    for (const SimDescription& sim : sims)
        StoreSimulation(sim, options.file, "the demo");
    host.Save(options.file);
    host.Open(options.file);
    const nlohmann::json list = SimulationList(options.file);
    HeldSimulation shown(CPmDbxFactory200::LoadSim(HostText(kShownSimulation)));
    if (!shown)
        throw SimulationNotFound(options.file, kShownSimulation);
    const nlohmann::json data = {{"file", options.file},
                                 {"vehicles",
                                  {{"tractor", HandleText(vehicles.tractor)},
                                   {"trailer", HandleText(vehicles.trailer)},
                                   {"car", HandleText(vehicles.car)}}},
                                 {"list", list},
                                 {"shown", SimulationTree(*shown, kShownPositions)}};
    Print(Report(data, DemoRun{std::move(sims), program}, DemoText), options.json);
    return static_cast<int>(ExitStatus::ok);
}
} // namespace

void AddDemoCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<DrawingOptions>();
    options->file = "znsim-demo.zdw";
    CLI::App* command = app.add_subcommand(
        "demo", "The main job: draw three vehicles, build two simulations of them, save the "
                "drawing, read it back and show what it holds");
    command->add_option("FILE", options->file, "the drawing to write (replaced when it exists)")
        ->capture_default_str();
    AddDrawingOptions(*command, *options);
    WhenChosen(*command, action, [&app, options] { return RunDemo(app.get_name(), *options); });
}
