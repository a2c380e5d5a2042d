// znsim export: the drawing and its simulations as a DXF for other CAD
// programs; with --meet, a marker where each meeting of the simulations
// named comes closest.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/PlayedTogether.h"
#include "app/QuantityOption.h"
#include "app/SimulationSweep.h"
#include "app/TextConversion.h"
#include "exchange/DrawingToDxf.h"
#include "exchange/DxfFileWriter.h"
#include "exchange/MeetingMarkers.h"
#include "motion/LengthUnit.h"

#include <algorithm>

namespace
{
struct ExportOptions : DrawingOptions
{
    std::string out;
    bool envelope = false;
    double clearance = 0.0;
    std::vector<std::string> meet;
    std::vector<std::string> starts;
    std::string unit;
};

std::vector<OutlinePath> Rings(const Envelope& envelope)
{
    std::vector<OutlinePath> rings;
    for (const std::vector<Ring>& polygon : envelope.polygons)
        for (const Ring& ring : polygon)
            rings.push_back({ring, true});
    return rings;
}

// The simulation, with what it and its tyres sweep when --envelope asks
// for it.
ExportedSimulation Exported(const CPmSim200& sim, const ExportOptions& options)
{
    if (!options.envelope)
        return {&sim, {}, {}, {}};
    SweepOptions swept(options.clearance);
    swept.wheelTracks = true;
    // Timing does not change what is swept, so any length unit will do.
    const SweepReport sweep = SweepForCommand(options.file, Utf8(*sim.Name()), sim, MotionOf(sim, 1.0), swept);
    return {&sim, Rings(sweep.envelope),
            options.clearance > 0.0 ? Rings(sweep.clearanceEnvelope) : std::vector<OutlinePath>{},
            Rings(sweep.wheelTracks)};
}

// Each meeting of the simulations --meet names, marked where its parts come
// closest. The circle's diameter is the clearance, so that it holds both
// closest points; at a clearance of 0 it takes the tolerance for its
// radius, so that parts that touch are marked too.
std::size_t AddMeetings(DxfDrawing& dxf, const ExportOptions& options)
{
    if (options.meet.empty())
        return 0;
    const MeetingReport report =
        MeetingsIn(options.file, PlayedTogether(options.file, options.meet, options.starts, UnitOfDrawing(options.unit).metres),
                   {options.clearance, 0.0});
    std::vector<MeetingMarker> markers;
    for (const Meeting& meeting : report.meetings)
        markers.push_back({meeting.ax, meeting.ay, meeting.bx, meeting.by});
    AddMeetingMarkers(dxf, markers, std::max(report.clearance / 2.0, report.tolerance));
    return markers.size();
}

std::string WrittenText(const nlohmann::json& data)
{
    const nlohmann::json& meetings = data["meetings"];
    return "Wrote " + data["output"].get<std::string>() + " (DXF R2000) from " +
           data["file"].get<std::string>() + ": " + std::to_string(data["blocks"].get<std::size_t>()) + " block(s), " +
           std::to_string(data["entities"].get<std::size_t>()) + " model space entities, " +
           std::to_string(data["simulations"].get<std::size_t>()) + " simulation(s)" +
           (meetings.is_null() ? "" : ", " + std::to_string(meetings.get<std::size_t>()) + " meeting(s) marked") +
           ".\n";
}

Outcome Export(AcDbDatabase&, const ExportOptions& options)
{
    HeldSimulationList list(Made(CPmDbxFactory200::LoadSimList(true, false)));
    std::vector<ExportedSimulation> simulations;
    for (int i = 0; i < list->Size(); ++i)
        simulations.push_back(Exported(*list->Sim(i), options));
    DxfDrawing dxf = DrawingToDxf(simulations);
    const std::size_t meetings = AddMeetings(dxf, options);
    WriteDxfFile(options.out, dxf);
    return {false, Report({{"file", options.file},
                           {"output", options.out},
                           {"blocks", dxf.blocks.size()},
                           {"entities", dxf.modelSpace.size()},
                           {"simulations", simulations.size()},
                           {"meetings", options.meet.empty() ? nlohmann::json() : nlohmann::json(meetings)}},
                          WrittenText)};
}
} // namespace

void AddExportCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<ExportOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::read, "export",
        "Write the drawing, its blocks and its simulations (paths, parts at their first position, descriptions) "
        "as DXF",
        options, Export);
    command.add_option("-o,--output", options->out, "the DXF file to write")->required();
    const CLI::Option* envelope = command.add_flag(
        "--envelope", options->envelope,
        "add what each simulation sweeps, and what its tyres sweep, as closed polylines on layers of their own");
    CLI::Option* meet = command.add_option(
        "--meet", options->meet,
        "SIMULATION...: play these together, each from its --start, and mark where their parts meet on the layer "
        "\"Meetings\"");
    AddUnitOption(command, options->unit)->needs(meet);
    AddClearanceAndStarts(command, envelope, meet, "add the envelope grown by this too, on another layer",
                          options->clearance, options->starts);
}
