// znsim export: the drawing and its simulations as a DXF for other CAD
// programs.
#include "app/Commands.h"
#include "app/HeldSimulation.h"
#include "exchange/DrawingToDxf.h"
#include "exchange/DxfFileWriter.h"

namespace
{
struct ExportOptions : DrawingOptions
{
    std::string out;
};

Outcome Export(HostSession&, const ExportOptions& options)
{
    HeldSimulationList list(Made(CPmDbxFactory200::LoadSimList(true, false)));
    std::vector<ExportedSimulation> simulations;
    for (int i = 0; i < list->Size(); ++i)
        simulations.push_back({list->Sim(i), {}});
    const DxfDrawing dxf = DrawingToDxf(simulations);
    const std::string failure = WriteDxfFile(options.out, dxf);
    if (!failure.empty())
        throw CommandFailure(ExitStatus::ioFailure, options.out + ": " + failure);
    const std::string counts = std::to_string(dxf.blocks.size()) + " block(s), " +
                               std::to_string(dxf.modelSpace.size()) + " model space entities, " +
                               std::to_string(simulations.size()) + " simulation(s)";
    return {false,
            {{"file", options.file},
             {"output", options.out},
             {"blocks", dxf.blocks.size()},
             {"entities", dxf.modelSpace.size()},
             {"simulations", simulations.size()}},
            "Wrote " + options.out + " (DXF R2000) from " + options.file + ": " + counts + ".\n"};
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
}
