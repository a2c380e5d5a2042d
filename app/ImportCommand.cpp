// znsim import: a DXF's tables, blocks and model space into a new drawing
// or into one that exists. The DXF is read and checked whole before the
// drawing is touched, and the drawing is saved only when everything went in.
// The report lists the block references with their handles, as people look
// for them; --json gives the handle of every entity, and the shape of the
// report is in docs/znsim.md.
#include "app/Commands.h"
#include "app/TextView.h"
#include "exchange/DxfFileReader.h"
#include "exchange/DxfToDrawing.h"

#include "drawing/NumberText.h"
#include "drawing/TextFile.h"
#include "motion/LengthUnit.h"

#include <algorithm>
#include <map>

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
    for (const json& item : skipped)
    {
        text += "  " + std::to_string(item["count"].get<std::size_t>()) + " " + item["type"].get<std::string>();
        if (item.contains("attribute"))
            text += ": " + item["attribute"].get<std::string>();
        if (item.contains("in"))
            text += " in " + item["in"].get<std::string>();
        text += "\n";
    }
    return text;
}

std::string Listed(const json& names)
{
    std::string text;
    for (const json& name : names)
        text += (text.empty() ? "\"" : ", \"") + name.get<std::string>() + "\"";
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
                       Counted(data["entities"].get<std::size_t>(), "entity", "entities") + ".\n";
    const json& units = data["units"];
    if (units["scale"].get<double>() != 1.0)
        text += "Scaled by " + NumberText(units["scale"].get<double>()) + ": the DXF is in " +
                units["dxf"].get<std::string>() + ", the drawing in " + units["drawing"].get<std::string>() + ".\n";
    for (const json& renamed : data["renamed"])
        text += "Block \"" + renamed[0].get<std::string>() + "\" came in as \"" +
                renamed[1].get<std::string>() + "\": the drawing had a block of that name.\n";
    for (const auto& [table, names] : data["created"].items())
        if (!names.empty())
        {
            std::string what = table;
            std::replace(what.begin(), what.end(), '_', ' ');
            text += "Made the " + what + " the DXF uses but does not define: " + Listed(names) + ".\n";
        }
    if (!data["references"].empty())
        text += "Block references (DXF handle -> drawing handle):\n";
    for (const json& reference : data["references"])
    {
        const std::string dxfHandle = reference["dxf"];
        text += "  " + (dxfHandle.empty() ? std::string("(none)") : dxfHandle) + " -> " +
                reference["handle"].get<std::string>() + "  " + reference["block"].get<std::string>() + " in " +
                reference["in"].get<std::string>() + "\n";
    }
    const std::size_t others = data["entities"].get<std::size_t>() - data["references"].size();
    if (others > 0)
        text += Counted(others, "other entity", "other entities") + " came in; --json gives every entity's handle.\n";
    return text + SkippedText(data["skipped"]);
}

json EntitiesJson(const DxfImport& imported, bool references)
{
    json entities = json::array();
    for (const ImportedEntity& entity : imported.entities)
    {
        if (references && entity.block.empty())
            continue;
        json item = {{"dxf", entity.dxfHandle}, {"handle", entity.handle}};
        if (references)
            item["block"] = entity.block;
        else
            item["type"] = entity.type;
        item["in"] = entity.in;
        entities.push_back(std::move(item));
    }
    return entities;
}

json SkippedJson(const std::map<DxfSkip, std::size_t>& skipped)
{
    json items = json::array();
    for (const auto& [what, count] : skipped)
    {
        json item = {{"type", what.type}};
        if (!what.attribute.empty())
            item["attribute"] = what.attribute;
        if (!what.in.empty())
            item["in"] = what.in;
        item["count"] = count;
        items.push_back(std::move(item));
    }
    return items;
}

Outcome Import(const ImportOptions& options, const DxfDrawing& dxf, bool newDrawing)
{
    DxfImport imported;
    try
    {
        CheckDxfImport(dxf);
        imported = ImportDxf(dxf, newDrawing);
    }
    catch (const Failure& failure)
    {
        throw failure.In(failure.Kind() == FailureKind::badInput ? options.dxf : options.file);
    }
    return {true, Report({{"dxf", options.dxf},
                          {"drawing", options.file},
                          {"version", dxf.version},
                          {"units",
                           {{"dxf", InsertionUnitName(dxf.units)},
                            {"drawing", InsertionUnitName(imported.units)},
                            {"scale", imported.scale}}},
                          {"blocks", imported.blocks},
                          {"entities", imported.entities.size()},
                          {"handles", EntitiesJson(imported, false)},
                          {"references", EntitiesJson(imported, true)},
                          {"renamed", imported.renamed},
                          {"created", {{"layers", dxf.createdLayers}, {"text_styles", dxf.createdStyles}}},
                          {"skipped", SkippedJson(dxf.skipped)}},
                         ImportedText)};
}

// The DXF is read before the drawing is locked or opened: one that cannot
// be read is refused as it is, whatever the drawing.
int RunImport(const ImportOptions& options, DrawingAccess access)
{
    if (options.file.empty())
        throw Failure(FailureKind::badInput, "import needs -o DRAWING (a new drawing) or --into DRAWING");
    const DxfDrawing dxf = ReadDxfFile(options.dxf);
    return RunOnDrawing(options, access, [&](AcDbDatabase&) {
        return Import(options, dxf, access == DrawingAccess::create);
    });
}
} // namespace

void AddImportCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<ImportOptions>();
    CLI::App& command = *app.add_subcommand(
        "import",
        "Bring a DXF's layers, line types, text styles, blocks and model space into a new drawing (-o) or into one "
        "that exists (--into)");
    command.add_option("DXF", options->dxf, "the DXF file to read")->required();
    // Either names the drawing: -o one to create, --into one to add to.
    CLI::Option* out = command.add_option("-o,--output", options->file, "the new drawing file to write (.zdw)");
    CLI::Option* into = command.add_option("--into", options->file, "the drawing file to add to (.zdw)");
    out->excludes(into);
    AddDrawingOptions(command, *options, "print the report, with every entity's handle, as JSON");
    WhenChosen(command, action, [options, into] {
        return RunImport(*options, into->count() != 0 ? DrawingAccess::change : DrawingAccess::create);
    });
}
