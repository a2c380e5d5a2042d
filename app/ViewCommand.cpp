// znsim view: an animated page of the drawing and its simulations, or, with
// --at and --svg, one moment of one simulation as an SVG still. With --meet
// the page also plays them together, each from its start, and shows where
// their parts meet.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/PlayedTogether.h"
#include "app/QuantityOption.h"
#include "app/SimulationSweep.h"
#include "motion/SpeedUnits.h"
#include "app/TextConversion.h"
#include "drawing/NumberText.h"
#include "drawing/OutputFile.h"
#include "model/CPmSection200.h"
#include "motion/LengthUnit.h"
#include "view/Page.h"
#include "view/SvgStill.h"

#include <filesystem>
#include <optional>

namespace
{
struct ViewOptions : DrawingOptions
{
    std::vector<std::string> names;
    std::string page;
    std::string unit;
    double at = 0.0;
    std::string svg;
    bool envelope = false;
    double clearance = 0.0;
    bool meet = false;
    std::vector<std::string> starts;
};

// What sim sweeps, and its tyres alone, drawn under its parts when
// --envelope asks for it.
void AddSweep(ViewedSimulation& viewed, const CPmSim200& sim, const ViewOptions& options)
{
    if (!options.envelope)
        return;
    SweepOptions sweep(options.clearance);
    sweep.wheelTracks = true;
    viewed.sweep = SweepForCommand(options.file, viewed.name, sim, viewed.motion, sweep);
}

ViewedSimulation Viewed(const CPmSim200& sim, const ViewOptions& options)
{
    ViewedSimulation viewed{Utf8(*sim.Name()), {}, MotionOf(sim, UnitOfDrawing(options.unit).metres), {}};
    AddSweep(viewed, sim, options);
    for (const CPmSection200* section : *sim.Sections())
        viewed.sectionSpeeds.push_back(NumberText(SpeedInUnit(section->Speed(), section->SpeedUnits())) + ' ' +
                                       SpeedUnitName(section->SpeedUnits()));
    return viewed;
}

// The simulations named, in the order given, or every one in list order.
std::vector<ViewedSimulation> Simulations(const ViewOptions& options)
{
    std::vector<ViewedSimulation> sims;
    if (options.names.empty())
    {
        HeldSimulationList list(Made(CPmDbxFactory200::LoadSimList(true, false)));
        for (int i = 0; i < list->Size(); ++i)
            sims.push_back(Viewed(*list->Sim(i), options));
    }
    ForEachNamedSimulation(options.file, options.names,
                           [&](const CPmSim200& sim) { sims.push_back(Viewed(sim, options)); });
    return sims;
}

// The page's simulations played together, each from its start, and where
// their parts come within the clearance; nothing to play together in a
// drawing without simulations. Starts name simulations as the command line
// does, or by their own names when it names none.
std::optional<TogetherView> Together(const std::vector<ViewedSimulation>& sims, const ViewOptions& options)
{
    if (!options.meet)
        return std::nullopt;
    std::vector<std::string> names = options.names;
    if (names.empty())
        for (const ViewedSimulation& sim : sims)
            names.push_back(sim.name);
    TogetherView together{StartsOf(names, options.starts), {}};
    if (sims.empty())
        return std::nullopt;
    std::vector<PlayedSimulation> played;
    for (std::size_t i = 0; i < sims.size(); ++i)
        played.push_back({sims[i].name, sims[i].motion, together.starts[i]});
    together.meetings = MeetingsIn(options.file, played, {options.clearance, 0.0});
    return together;
}

std::string OutputPath(const ViewOptions& options)
{
    if (!options.svg.empty())
        return options.svg;
    if (!options.page.empty())
        return options.page;
    return std::filesystem::path(options.file).replace_extension(".html").string();
}

// still: whether the one simulation shown was written as a still.
std::string WrittenText(const nlohmann::json& data, const bool& still)
{
    const nlohmann::json& sims = data["simulations"];
    const std::string what = still ? "a still of \"" + sims[0].get<std::string>() + "\""
                                   : std::to_string(sims.size()) + " simulation(s)";
    return "Wrote " + data["output"].get<std::string>() + " (" +
           std::to_string(data["bytes"].get<std::size_t>()) + " bytes): " + what + " of " +
           data["file"].get<std::string>() + ".\n";
}

Outcome Written(const ViewOptions& options, const std::string& out, std::size_t bytes,
                const std::vector<ViewedSimulation>& sims)
{
    nlohmann::json names = nlohmann::json::array();
    for (const ViewedSimulation& sim : sims)
        names.push_back(sim.name);
    return {false, Report({{"file", options.file}, {"output", out}, {"bytes", bytes}, {"simulations", names}},
                          !options.svg.empty(), WrittenText)};
}

Outcome View(AcDbDatabase&, const ViewOptions& options)
{
    const bool still = !options.svg.empty();
    if (still && options.names.size() != 1)
        throw Failure(FailureKind::badInput, "--svg shows one simulation: name exactly one");
    const std::vector<ViewedSimulation> sims = Simulations(options);
    const std::optional<TogetherView> together = Together(sims, options);
    DrawingPicture picture = DrawingPicture::OfWorkingDrawing();
    const std::string bytes =
        still ? SvgStill(picture, sims.front(), options.at)
              : PageHtml(PackPage(picture, sims, UnitOfDrawing(options.unit).name, together ? &*together : nullptr),
                         std::filesystem::path(options.file).filename().string());
    const std::string out = OutputPath(options);
    std::error_code error;
    if (std::filesystem::equivalent(out, options.file, error))
        throw Failure(FailureKind::badInput, out + ": is the drawing itself; name another output");
    ReplaceFile(out, bytes);
    return Written(options, out, bytes.size(), sims);
}
} // namespace

void AddViewCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<ViewOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::read, "view",
        "Write a self-contained HTML page that plays the drawing's simulations, or a still as SVG",
        options, View);
    command.add_option("NAME", options->names, "the simulations to show (default: every one)");
    command.add_option("-o,--output", options->page,
                       "the page to write (default: FILE with .html)");
    AddUnitOption(command, options->unit);
    command.add_option("--at", options->at, "with --svg: the moment, in seconds from the start")
        ->check(Quantity("a moment in seconds", true));
    CLI::Option* svg = command
                           .add_option("--svg", options->svg,
                                       "write the moment --at of the one simulation named as SVG")
                           ->excludes("--output");
    const CLI::Option* envelope =
        command.add_flag("--envelope", options->envelope, "shade what each simulation sweeps under its parts");
    CLI::Option* meet = command.add_flag(
        "--meet", options->meet,
        "also play the simulations together, each from its --start, listing and marking where parts meet");
    svg->excludes(meet);
    AddClearanceAndStarts(command, envelope, meet, "shade the envelope grown by this too", options->clearance,
                          options->starts);
}
