// znsim sweep: what a simulation's parts cover along their run (per segment
// and in all), grown by a clearance if asked, and what in the drawing they
// run into. Read-only: the drawing is never saved.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/QuantityOption.h"
#include "app/SimulationSweep.h"
#include "app/SweepText.h"
#include "app/TextConversion.h"
#include "drawing/Failure.h"
#include "drawing/Layers.h"
#include "drawing/Names.h"

namespace
{
using nlohmann::json;

struct SweepCommandOptions : DrawingOptions
{
    std::string name;
    double clearance = 0.0;
    double tolerance = 0.0;
    bool check = false;
    std::string unit;
    std::string obstacles;
    std::string ignore;
    bool wheels = false;
};

// The layers asked for. A pattern of --obstacles that matches no layer is
// refused: it would leave nothing to run into, and a mistyped layer would
// pass --check. One of --ignore only takes away less, so it is a warning.
ObstacleLayers LayersOf(const SweepCommandOptions& options, nlohmann::json& warnings)
{
    ObstacleLayers layers;
    const std::vector<std::string> names = LayerNames();
    if (!options.obstacles.empty())
    {
        layers.only = LayerPatterns(options.obstacles, "--obstacles");
        for (const std::string& pattern : layers.only.Unmatched(names))
            throw Failure(FailureKind::notFound,
                          options.file + ": --obstacles: no layer of the drawing matches \"" + pattern + "\"");
    }
    if (!options.ignore.empty())
    {
        layers.ignore = LayerPatterns(options.ignore, "--ignore");
        for (const std::string& pattern : layers.ignore.Unmatched(names))
            warnings.push_back("--ignore: no layer of the drawing matches \"" + pattern + "\"");
    }
    return layers;
}

json EnvelopeJson(const Envelope& envelope)
{
    if (envelope.Empty())
        return {{"area", 0.0}, {"perimeter", 0.0}, {"box", nullptr}};
    return {{"area", envelope.area},
            {"perimeter", envelope.perimeter},
            {"box", {envelope.box.minX, envelope.box.minY, envelope.box.maxX, envelope.box.maxY}}};
}

// The envelope grown by the clearance; null without a clearance.
json GrownJson(const SweepReport& report, const Envelope& grown)
{
    return report.clearance > 0.0 ? EnvelopeJson(grown) : json();
}

// Sections, segments and positions counted from 1, as show counts them.
json PointJson(const SweepPoint& point)
{
    return {{"section", point.section + 1},
            {"segment", point.segment + 1},
            {"position", point.position + 1},
            {"fraction", point.fraction}};
}

json SegmentsJson(const SweepReport& report)
{
    json segments = json::array();
    for (const SegmentSweep& segment : report.segments)
        segments.push_back({{"section", segment.section + 1},
                            {"segment", segment.segment + 1},
                            {"samples", segment.samples},
                            {"envelope", EnvelopeJson(segment.envelope)},
                            {"clearance", GrownJson(report, segment.clearance)}});
    return segments;
}

json ConflictsJson(const SweepReport& report)
{
    json conflicts = json::array();
    for (const Conflict& conflict : report.conflicts)
        conflicts.push_back({{"handle", HandleText(conflict.handle)},
                             {"class", conflict.className},
                             {"block", conflict.blockName.empty() ? json() : json(conflict.blockName)},
                             {"layer", conflict.layer},
                             {"first", PointJson(conflict.first)},
                             {"last", PointJson(conflict.last)}});
    return conflicts;
}

json DrawnPathsJson(const SweepReport& report)
{
    json paths = json::array();
    for (const DrawnPath& path : report.drawnPaths)
        paths.push_back({{"handle", HandleText(path.handle)}, {"class", path.className}, {"layer", path.layer}});
    return paths;
}

SweepReport SweepOf(const CPmSim200& sim, const SweepCommandOptions& options, json& warnings)
{
    SweepOptions sweep(options.clearance, options.tolerance);
    sweep.obstacles = LayersOf(options, warnings);
    sweep.wheels = options.wheels;
    return SweepForCommand(options.file, options.name, sim, MotionOf(sim, UnitOfDrawing(options.unit).metres), sweep);
}

Outcome Sweep(AcDbDatabase&, const SweepCommandOptions& options)
{
    HeldSimulation sim(CPmDbxFactory200::LoadSim(HostText(options.name)));
    if (!sim)
        throw SimulationNotFound(options.file, options.name);
    json warnings = json::array();
    const SweepReport report = SweepOf(*sim, options, warnings);
    Outcome outcome{false, Report({{"file", options.file},
                                   {"simulation", options.name},
                                   {"unit", UnitOfDrawing(options.unit).name},
                                   {"swept", options.wheels ? "wheels" : "parts"},
                                   {"warnings", warnings},
                                   {"tolerance", report.tolerance},
                                   {"clearance", report.clearance},
                                   {"segments", SegmentsJson(report)},
                                   {"envelope", EnvelopeJson(report.envelope)},
                                   {"clearance_envelope", GrownJson(report, report.clearanceEnvelope)},
                                   {"conflicts", ConflictsJson(report)},
                                   {"drawn_paths", DrawnPathsJson(report)}},
                                  SweepText)};
    if (options.check && !report.conflicts.empty())
        outcome.status = ExitStatus::conflict;
    return outcome;
}
} // namespace

void AddSweepCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<SweepCommandOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::read, "sweep",
        "Report the area a simulation's parts cover along their run, grown by a clearance, and what they run into",
        options, Sweep);
    command.add_option("NAME", options->name, "the simulation")->required();
    command.add_option("--clearance", options->clearance, "grow the envelope by this distance (default 0)")
        ->check(Quantity("a distance", true));
    command.add_option("--tolerance", options->tolerance,
                       "the most a part moves between samples, and the width of lines (default: 1% of the "
                       "largest part's size)")
        ->check(Quantity("a distance", false));
    command.add_flag("--check", options->check, "end with status 6 when the envelope runs into anything");
    command.add_option("--obstacles", options->obstacles,
                       "only entities on these layers are obstacles: LAYER[,LAYER...], * and ? as wildcards");
    command.add_option("--ignore", options->ignore,
                       "entities on these layers are no obstacles: LAYER[,LAYER...], * and ? as wildcards");
    command.add_flag("--wheels", options->wheels,
                     std::string("sweep only each part's tyres (its block's entities on layer ") + kTyreLayer + ")");
    AddUnitOption(command, options->unit);
}
