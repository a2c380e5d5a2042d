// znsim import: a DXF's blocks and model space into a new drawing or into
// one that exists. The DXF is read and checked whole before the drawing is
// touched, and the drawing is saved only when everything went in.
#include "app/Commands.h"
#include "exchange/DxfFileReader.h"
#include "exchange/DxfToDrawing.h"

#include "drawing/TextFile.h"

namespace
{
using nlohmann::json;

struct ImportOptions : DrawingOptions
{
    std::string dxf;
};

DxfDrawing ReadDxfFile(const std::string& path)
{
    const std::string text = ReadTextFile(path);
    try
    {
        return ReadDxf(text);
    }
    catch (const Failure& failure)
    {
        throw failure.In(path);
    }
}

std::string SkippedText(const json& skipped)
{
    if (skipped.empty())
        return {};
    std::string text = "Passed over what a drawing cannot hold:\n";
    for (const auto& [what, count] : skipped.items())
        text += "  " + std::to_string(count.get<std::size_t>()) + " " + what + "\n";
    return text;
}

std::string ImportedText(const json& data)
{
    // A minimal R12 file may leave its header, and so its version, out.
    const std::string version = data["version"];
    std::string text = "Imported " + data["dxf"].get<std::string>() + " (" +
                       (version.empty() ? "no version given" : version) + ") into " +
                       data["drawing"].get<std::string>() + ": " +
                       std::to_string(data["blocks"].get<std::size_t>()) + " block(s), " +
                       std::to_string(data["entities"].get<std::size_t>()) + " entities.\n";
    for (const json& renamed : data["renamed"])
        text += "Block \"" + renamed[0].get<std::string>() + "\" came in as \"" +
                renamed[1].get<std::string>() + "\": the drawing had a block of that name.\n";
    if (!data["references"].empty())
        text += "Block references (DXF handle -> drawing handle):\n";
    for (const json& reference : data["references"])
    {
        const std::string dxfHandle = reference["dxf"];
        text += "  " + (dxfHandle.empty() ? std::string("(none)") : dxfHandle) + " -> " +
                reference["handle"].get<std::string>() + "  " + reference["block"].get<std::string>() + " in " +
                reference["in"].get<std::string>() + "\n";
    }
    return text + SkippedText(data["skipped"]);
}

json ReferencesJson(const DxfImport& imported)
{
    json references = json::array();
    for (const ImportedReference& reference : imported.references)
        references.push_back({{"dxf", reference.dxfHandle},
                              {"handle", reference.handle},
                              {"block", reference.block},
                              {"in", reference.in}});
    return references;
}

Outcome Import(const ImportOptions& options, const DxfDrawing& dxf)
{
    DxfImport imported;
    try
    {
        CheckDxfImport(dxf);
        imported = ImportDxf(dxf);
    }
    catch (const Failure& failure)
    {
        throw failure.In(failure.Kind() == FailureKind::badInput ? options.dxf : options.file);
    }
    return {true, Report({{"dxf", options.dxf},
                          {"drawing", options.file},
                          {"version", dxf.version},
                          {"blocks", imported.blocks},
                          {"entities", imported.entities},
                          {"references", ReferencesJson(imported)},
                          {"renamed", imported.renamed},
                          {"skipped", dxf.skipped}},
                         ImportedText)};
}

// The DXF is read before the drawing is locked or opened: one that cannot
// be read is refused as it is, whatever the drawing.
int RunImport(const ImportOptions& options, DrawingAccess access)
{
    if (options.file.empty())
        throw Failure(FailureKind::badInput, "import needs -o DRAWING (a new drawing) or --into DRAWING");
    const DxfDrawing dxf = ReadDxfFile(options.dxf);
    return RunOnDrawing(options, access, [&](AcDbDatabase&) { return Import(options, dxf); });
}
} // namespace

void AddImportCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<ImportOptions>();
    CLI::App& command = *app.add_subcommand(
        "import", "Bring a DXF's blocks and model space into a new drawing (-o) or into one that exists (--into)");
    command.add_option("DXF", options->dxf, "the DXF file to read")->required();
    // Either names the drawing: -o one to create, --into one to add to.
    CLI::Option* out = command.add_option("-o,--output", options->file, "the new drawing file to write (.zdw)");
    CLI::Option* into = command.add_option("--into", options->file, "the drawing file to add to (.zdw)");
    out->excludes(into);
    AddDrawingOptions(command, *options, "print the report, with the handle map, as JSON");
    WhenChosen(command, action, [options, into] {
        return RunImport(*options, into->count() != 0 ? DrawingAccess::change : DrawingAccess::create);
    });
}
