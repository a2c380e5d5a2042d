#include "exchange/DxfFileReader.h"

#include "drawing/Failure.h"
#include "exchange/DxfEvents.h"
#include "exchange/DxfTagWatch.h"
#include "exchange/DxfTextCodec.h"

#include <dxflib/dl_dxf.h>

#include <algorithm>
#include <cctype>
#include <istream>
#include <set>

namespace
{
[[noreturn]] void Fail(const std::string& problem)
{
    throw Failure(FailureKind::badInput, problem);
}

// DXF names compare without letter case, as the host's do; the folding of
// letters beyond ASCII is the host's to make.
std::string Folded(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

// The names of a table's records; a second record of a name is passed over
// and counted.
template <class Record>
std::set<std::string> NamesOf(std::vector<Record>& records, const char* type, DxfDrawing& dxf)
{
    std::set<std::string> names;
    std::vector<Record> kept;
    for (Record& record : records)
        if (record.name.empty())
            ++dxf.skipped[DxfSkip{type, "a record without a name", {}}];
        else if (names.insert(Folded(record.name)).second)
            kept.push_back(std::move(record));
        else
            ++dxf.skipped[DxfSkip{type, "a second record of one name", {}}];
    records = std::move(kept);
    return names;
}

template <class Visit> void ForEachEntity(const DxfDrawing& dxf, Visit visit)
{
    for (const DxfBlock& block : dxf.blocks)
        for (const DxfEntity& entity : block.entities)
            visit(entity);
    for (const DxfEntity& entity : dxf.modelSpace)
        visit(entity);
}

std::string StyleOf(const DxfShape& shape)
{
    if (const auto* text = std::get_if<DxfText>(&shape))
        return text->style;
    if (const auto* text = std::get_if<DxfMText>(&shape))
        return text->style;
    return {};
}

// Every text of the drawing as UTF-8 (DxfTextCodec.h).
void DecodeText(DxfDrawing& dxf)
{
    const bool utf8 = dxf.version >= "AC1021";
    const auto decode = [utf8](std::string& text) { text = TextFromDxf(text, utf8); };
    for (DxfLinetype& linetype : dxf.linetypes)
        for (std::string* text : {&linetype.name, &linetype.description})
            decode(*text);
    for (DxfLayer& layer : dxf.layers)
        for (std::string* text : {&layer.name, &layer.linetype})
            decode(*text);
    for (DxfTextStyle& style : dxf.styles)
        for (std::string* text : {&style.name, &style.font, &style.bigFont})
            decode(*text);
    const auto entities = [&](std::vector<DxfEntity>& all) {
        for (DxfEntity& entity : all)
        {
            decode(entity.layer);
            decode(entity.linetype);
            if (auto* text = std::get_if<DxfText>(&entity.shape))
                for (std::string* part : {&text->text, &text->style})
                    decode(*part);
            else if (auto* paragraph = std::get_if<DxfMText>(&entity.shape))
                for (std::string* part : {&paragraph->text, &paragraph->style})
                    decode(*part);
            else if (auto* insert = std::get_if<DxfInsert>(&entity.shape))
                decode(insert->block);
            else if (auto* hatch = std::get_if<DxfHatch>(&entity.shape))
                decode(hatch->pattern);
        }
    };
    for (DxfBlock& block : dxf.blocks)
    {
        decode(block.name);
        entities(block.entities);
    }
    entities(dxf.modelSpace);
}

// Every name an entity or a layer uses resolves: layers and text styles
// the file leaves out are made, a line type it leaves out is refused, since
// the host's reference says nothing of what to draw instead.
void ResolveNames(DxfDrawing& dxf)
{
    std::set<std::string> linetypes = NamesOf(dxf.linetypes, "LTYPE", dxf);
    for (const char* kept : {"bylayer", "byblock", "continuous"})
        linetypes.insert(kept);
    std::set<std::string> layers = NamesOf(dxf.layers, "LAYER", dxf);
    std::set<std::string> styles = NamesOf(dxf.styles, "STYLE", dxf);
    const auto checkLinetype = [&](const std::string& name, std::size_t line) {
        if (!name.empty() && linetypes.count(Folded(name)) == 0)
            Fail("line " + std::to_string(line) + ": the line type \"" + name +
                 "\", which the DXF does not define (ByLayer, ByBlock and Continuous need no definition)");
    };
    for (const DxfLayer& layer : dxf.layers)
        checkLinetype(layer.linetype, layer.line);
    ForEachEntity(dxf, [&](const DxfEntity& entity) {
        checkLinetype(entity.linetype, entity.line);
        if (layers.insert(Folded(entity.layer)).second && Folded(entity.layer) != "0")
            dxf.createdLayers.push_back(entity.layer);
        const std::string style = StyleOf(entity.shape);
        if (!style.empty() && styles.insert(Folded(style)).second && Folded(style) != "standard")
            dxf.createdStyles.push_back(style);
    });
    for (const std::string& name : dxf.createdLayers)
        dxf.layers.emplace_back().name = name;
    for (const std::string& name : dxf.createdStyles)
        dxf.styles.emplace_back().name = name;
}
} // namespace

DxfDrawing ReadDxf(std::string_view text)
{
    if (text.empty())
        Fail("line 1: not a DXF file: it is empty");
    DxfTagWatch watch(text);
    std::istream stream(&watch);
    DxfDrawing read;
    DxfEvents events(watch, read);
    DL_Dxf dxf;
    dxf.in(stream, &events);
    if (!watch.Problem().empty())
        Fail(watch.Problem());
    if (!watch.SawEnd())
        Fail("line " + std::to_string(watch.Line()) + ": the DXF is cut short: it ends before its EOF");
    for (const auto& [type, count] : watch.Unread())
        read.skipped[DxfSkip{type, {}, {}}] += count;
    read.version = watch.Version();
    DecodeText(read);
    ResolveNames(read);
    return read;
}
