// znsim meet: the named simulations played together on one clock, each from
// its own start, and every pair of parts that come within a clearance of
// each other at the same moment. Read-only: the drawing is never saved.
#include "analysis/Meetings.h"
#include "app/Commands.h"
#include "app/MeetText.h"
#include "app/PlayedTogether.h"
#include "app/QuantityOption.h"
#include "app/TextConversion.h"
#include "drawing/Names.h"
#include "motion/LengthUnit.h"

namespace
{
using nlohmann::json;

struct MeetOptions : DrawingOptions
{
    std::vector<std::string> names;
    std::vector<std::string> starts;
    std::string unit;
    double clearance = 0.0;
    double tolerance = 0.0;
    bool check = false;
};

json PartJson(const std::vector<PlayedSimulation>& played, const PartKey& key)
{
    const PartShape& part = played[key.simulation].motion.sections[key.section].segments[key.segment].parts[key.part];
    const std::optional<std::string> definition = BlockName(part.definition);
    return {{"simulation", played[key.simulation].name},
            {"section", key.section + 1},
            {"segment", key.segment + 1},
            {"part", key.part + 1},
            {"text", part.text},
            {"block", part.reference.isNull() ? json() : json(HandleText(part.reference))},
            {"definition", definition ? json(*definition) : json()}};
}

// Sections and positions counted from 1, as show counts them.
json PlaceJson(const PartPlace& place)
{
    return {{"section", place.section + 1}, {"position", place.position + 1}, {"fraction", place.fraction}};
}

json MomentJson(const MeetingMoment& moment)
{
    return {{"time", moment.time}, {"a", PlaceJson(moment.a)}, {"b", PlaceJson(moment.b)}};
}

json MeetingJson(const std::vector<PlayedSimulation>& played, const Meeting& meeting)
{
    json closest = MomentJson(meeting.closest);
    closest["distance"] = meeting.distance;
    closest["a"]["point"] = {meeting.ax, meeting.ay};
    closest["b"]["point"] = {meeting.bx, meeting.by};
    return {{"a", PartJson(played, meeting.a)},
            {"b", PartJson(played, meeting.b)},
            {"jackknife", meeting.hitched},
            {"first", MomentJson(meeting.first)},
            {"last", MomentJson(meeting.last)},
            {"closest", closest}};
}

json ReportJson(const MeetOptions& options, const std::vector<PlayedSimulation>& played, const MeetingReport& report)
{
    json simulations = json::array();
    for (const PlayedSimulation& sim : played)
        simulations.push_back({{"name", sim.name}, {"start", sim.start}, {"duration", sim.motion.duration}});
    json meetings = json::array();
    for (const Meeting& meeting : report.meetings)
        meetings.push_back(MeetingJson(played, meeting));
    return {{"file", options.file},
            {"simulations", simulations},
            {"unit", UnitOfDrawing(options.unit).name},
            {"clearance", report.clearance},
            {"tolerance", report.tolerance},
            {"meetings", meetings},
            {"compared", {{"parts", report.parts}, {"pairs", report.pairs}, {"distances", report.distances}}}};
}

Outcome Meet(AcDbDatabase&, const MeetOptions& options)
{
    const std::vector<PlayedSimulation> played =
        PlayedTogether(options.file, options.names, options.starts, UnitOfDrawing(options.unit).metres);
    const MeetingReport report = MeetingsIn(options.file, played, {options.clearance, options.tolerance});
    Outcome outcome{false, Report(ReportJson(options, played, report), MeetText)};
    if (options.check && !report.meetings.empty())
        outcome.status = ExitStatus::conflict;
    return outcome;
}
} // namespace

void AddMeetCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<MeetOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::read, "meet",
        "Play simulations together on one clock and report the parts that come within a clearance of each other",
        options, Meet);
    command.add_option("NAME", options->names, "the simulations to play together")->required();
    AddStartOption(command, options->starts);
    AddUnitOption(command, options->unit);
    command.add_option("--clearance", options->clearance, "the distance parts must keep (default 0: touching)")
        ->check(Quantity("a distance", true));
    command.add_option("--tolerance", options->tolerance,
                       "the most a part moves between samples (default: 1% of the largest part's size)")
        ->check(Quantity("a distance", false));
    command.add_flag("--check", options->check, "end with status 6 when any parts meet");
}
