// znsim sweep: what a simulation's parts cover along their run (per segment
// and in all), grown by a clearance if asked, and what in the drawing they
// run into. Read-only: the drawing is never saved.
#include "app/Commands.h"
#include "app/QuantityOption.h"
#include "app/HeldSimulation.h"
#include "app/SimulationSweep.h"
#include "app/TextConversion.h"
#include "drawing/Names.h"
#include "drawing/NumberText.h"

namespace
{
using nlohmann::json;

struct SweepCommandOptions : DrawingOptions
{
    std::string name;
    double clearance = 0.0;
    double tolerance = 0.0;
    bool check = false;
};

json EnvelopeJson(const Envelope& envelope)
{
    if (envelope.Empty())
        return {{"area", 0.0}, {"perimeter", 0.0}, {"box", nullptr}};
    return {{"area", envelope.area},
            {"perimeter", envelope.perimeter},
            {"box", {envelope.box.minX, envelope.box.minY, envelope.box.maxX, envelope.box.maxY}}};
}

std::string EnvelopeText(const std::string& what, const Envelope& envelope)
{
    if (envelope.Empty())
        return "    " + what + ": nothing\n";
    return "    " + what + ": area " + NumberText(envelope.area) + ", perimeter " + NumberText(envelope.perimeter) +
           ", box (" + NumberText(envelope.box.minX) + ", " + NumberText(envelope.box.minY) + ") to (" +
           NumberText(envelope.box.maxX) + ", " + NumberText(envelope.box.maxY) + ")\n";
}

// Sections, segments and positions counted from 1, as show counts them.
json PointJson(const SweepPoint& point)
{
    return {{"section", point.section + 1},
            {"segment", point.segment + 1},
            {"position", point.position + 1},
            {"fraction", point.fraction}};
}

std::string PointText(const SweepPoint& point)
{
    std::string text = "section " + std::to_string(point.section + 1) + " segment " +
                       std::to_string(point.segment + 1) + " position " + std::to_string(point.position + 1);
    return point.fraction > 0.0 ? text + " (+" + NumberText(point.fraction) + " of the way on)" : text;
}

void ReportSegments(const SweepReport& report, Outcome& outcome)
{
    json segments = json::array();
    for (const SegmentSweep& segment : report.segments)
    {
        segments.push_back({{"section", segment.section + 1},
                            {"segment", segment.segment + 1},
                            {"samples", segment.samples},
                            {"envelope", EnvelopeJson(segment.envelope)},
                            {"clearance", report.clearance > 0.0 ? EnvelopeJson(segment.clearance) : json()}});
        outcome.text += "  section " + std::to_string(segment.section + 1) + ", segment " +
                        std::to_string(segment.segment + 1) + " (" + std::to_string(segment.samples) + " samples)\n";
        outcome.text += EnvelopeText("envelope", segment.envelope);
        if (report.clearance > 0.0)
            outcome.text += EnvelopeText("clearance", segment.clearance);
    }
    outcome.data["segments"] = segments;
    outcome.data["envelope"] = EnvelopeJson(report.envelope);
    outcome.data["clearance_envelope"] = report.clearance > 0.0 ? EnvelopeJson(report.clearanceEnvelope) : json();
    outcome.text += "  all segments\n" + EnvelopeText("envelope", report.envelope);
    if (report.clearance > 0.0)
        outcome.text += EnvelopeText("clearance", report.clearanceEnvelope);
}

void ReportConflicts(const SweepReport& report, Outcome& outcome)
{
    json conflicts = json::array();
    outcome.text += report.conflicts.empty() ? "  no conflicts\n"
                                             : "  " + std::to_string(report.conflicts.size()) + " conflict(s)\n";
    for (const Conflict& conflict : report.conflicts)
    {
        conflicts.push_back({{"handle", HandleText(conflict.handle)},
                             {"class", conflict.className},
                             {"block", conflict.blockName.empty() ? json() : json(conflict.blockName)},
                             {"first", PointJson(conflict.first)},
                             {"last", PointJson(conflict.last)}});
        const std::string block = conflict.blockName.empty() ? "" : " \"" + conflict.blockName + "\"";
        outcome.text += "    " + HandleText(conflict.handle) + " " + conflict.className + block + ": first at " +
                        PointText(conflict.first) + ", last at " + PointText(conflict.last) + "\n";
    }
    outcome.data["conflicts"] = conflicts;
}

SweepReport SweepOf(const CPmSim200& sim, const SweepCommandOptions& options)
{
    // Times only order the conflicts of a section's segments, so any unit
    // serves.
    return SweepForCommand(options.file, options.name, sim, MotionOf(sim, 1.0),
                           {options.clearance, options.tolerance});
}

Outcome Sweep(AcDbDatabase&, const SweepCommandOptions& options)
{
    HeldSimulation sim(CPmDbxFactory200::LoadSim(HostText(options.name)));
    if (!sim)
        throw SimulationNotFound(options.file, options.name);
    const SweepReport report = SweepOf(*sim, options);
    Outcome outcome;
    outcome.data = {{"file", options.file},
                    {"simulation", options.name},
                    {"tolerance", report.tolerance},
                    {"clearance", report.clearance}};
    outcome.text = "Sweep of \"" + options.name + "\" in " + options.file + ": tolerance " +
                   NumberText(report.tolerance) + ", clearance " + NumberText(report.clearance) + "\n";
    ReportSegments(report, outcome);
    ReportConflicts(report, outcome);
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
}
