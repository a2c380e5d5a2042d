// znsim export: the drawing and its simulations as a DXF for other CAD
// programs.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "app/QuantityOption.h"
#include "app/SimulationSweep.h"
#include "app/TextConversion.h"
#include "exchange/DrawingToDxf.h"
#include "exchange/DxfFileWriter.h"

namespace
{
struct ExportOptions : DrawingOptions
{
    std::string out;
    bool envelope = false;
    double clearance = 0.0;
};

std::vector<OutlinePath> Rings(const Envelope& envelope)
{
    std::vector<OutlinePath> rings;
    for (const std::vector<Ring>& polygon : envelope.polygons)
        for (const Ring& ring : polygon)
            rings.push_back({ring, true});
    return rings;
}

// The simulation, with what it sweeps when --envelope asks for it.
ExportedSimulation Exported(const CPmSim200& sim, const ExportOptions& options)
{
    if (!options.envelope)
        return {&sim, {}, {}};
    // Timing does not change what is swept, so any length unit will do.
    const SweepReport sweep = SweepForCommand(options.file, Utf8(*sim.Name()), sim, MotionOf(sim, 1.0),
                                              {options.clearance, 0.0});
    return {&sim, Rings(sweep.envelope),
            options.clearance > 0.0 ? Rings(sweep.clearanceEnvelope) : std::vector<OutlinePath>{}};
}

std::string WrittenText(const nlohmann::json& data)
{
    return "Wrote " + data["output"].get<std::string>() + " (DXF R2000) from " +
           data["file"].get<std::string>() + ": " + std::to_string(data["blocks"].get<std::size_t>()) + " block(s), " +
           std::to_string(data["entities"].get<std::size_t>()) + " model space entities, " +
           std::to_string(data["simulations"].get<std::size_t>()) + " simulation(s).\n";
}

Outcome Export(AcDbDatabase&, const ExportOptions& options)
{
    HeldSimulationList list(Made(CPmDbxFactory200::LoadSimList(true, false)));
    std::vector<ExportedSimulation> simulations;
    for (int i = 0; i < list->Size(); ++i)
        simulations.push_back(Exported(*list->Sim(i), options));
    const DxfDrawing dxf = DrawingToDxf(simulations);
    WriteDxfFile(options.out, dxf);
    return {false, Report({{"file", options.file},
                           {"output", options.out},
                           {"blocks", dxf.blocks.size()},
                           {"entities", dxf.modelSpace.size()},
                           {"simulations", simulations.size()}},
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
    command.add_flag("--envelope", options->envelope,
                     "add what each simulation sweeps, as closed polylines on a layer of its own");
    command
        .add_option("--clearance", options->clearance,
                    "with --envelope: add the envelope grown by this too, on another layer")
        ->check(Quantity("a distance", true))
        ->needs("--envelope");
}
