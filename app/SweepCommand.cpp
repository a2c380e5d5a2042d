// znsim sweep: what a simulation's parts cover along their run (per segment
// and in all), grown by a clearance if asked, and what in the drawing they
// run into. Read-only: the drawing is never saved.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/QuantityOption.h"
#include "app/SimulationSweep.h"
#include "app/SweepText.h"
#include "app/TextConversion.h"
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
};

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
                             {"first", PointJson(conflict.first)},
                             {"last", PointJson(conflict.last)}});
    return conflicts;
}

SweepReport SweepOf(const CPmSim200& sim, const SweepCommandOptions& options)
{
    return SweepForCommand(options.file, options.name, sim, MotionOf(sim, UnitOfDrawing(options.unit).metres),
                           {options.clearance, options.tolerance});
}

Outcome Sweep(AcDbDatabase&, const SweepCommandOptions& options)
{
    HeldSimulation sim(CPmDbxFactory200::LoadSim(HostText(options.name)));
    if (!sim)
        throw SimulationNotFound(options.file, options.name);
    const SweepReport report = SweepOf(*sim, options);
    Outcome outcome{false, Report({{"file", options.file},
                                   {"simulation", options.name},
                                   {"unit", UnitOfDrawing(options.unit).name},
                                   {"tolerance", report.tolerance},
                                   {"clearance", report.clearance},
                                   {"segments", SegmentsJson(report)},
                                   {"envelope", EnvelopeJson(report.envelope)},
                                   {"clearance_envelope", GrownJson(report, report.clearanceEnvelope)},
                                   {"conflicts", ConflictsJson(report)}},
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
    AddUnitOption(command, options->unit);
}
