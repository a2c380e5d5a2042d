#include "view/EntityPens.h"

#include "drawing/ColourIndex.h"
#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbEntity.h"
#include "host/AcDbSymbolTable.h"

#include <cmath>
#include <cwchar>

namespace
{
constexpr double kDefaultWeight = 0.25;

// The pattern as SVG's stroke-dasharray and the canvas's setLineDash take
// it: dash, gap, dash..., from a dash, each length scaled and at least a
// dot's, neighbours of one kind merged. Empty for a solid line.
std::vector<double> DashArray(const std::vector<double>& pattern, double scale)
{
    double period = 0.0;
    for (const double length : pattern)
        period += std::fabs(length);
    if (pattern.size() < 2 || !(period > 0.0) || !std::isfinite(period))
        return {};
    // A dot (length 0) is drawn as a short dash, so that it shows at all.
    const double dot = period / 40.0;
    std::vector<double> dashes;
    bool gap = true;
    for (const double length : pattern)
    {
        const bool isGap = length < 0.0;
        const double drawn = std::max(std::fabs(length), dot) * scale;
        if (dashes.empty() && isGap)
            dashes.push_back(0.0);
        if (!dashes.empty() && isGap == gap)
            dashes.back() += drawn;
        else
            dashes.push_back(drawn);
        gap = isGap;
    }
    return dashes;
}

double WeightMillimetres(AcDb::LineWeight weight)
{
    return weight < 0 ? kDefaultWeight : weight / 100.0;
}
} // namespace

Inherited Inherited::ModelSpace()
{
    Inherited inherited;
    inherited.colour.setColorIndex(7);
    return inherited;
}

std::string Inherited::Key() const
{
    return std::to_string(colour.color()) + '/' + HandleText(linetype.handle()) + '/' +
           std::to_string(weight) + '/' + (layer ? layer->name : std::string());
}

const std::optional<EntityLayer>& EntityPens::LayerOf(const AcDbEntity& entity, const Inherited& outer)
{
    auto found = m_layers.find(entity.layerId());
    if (found == m_layers.end())
        found = m_layers.emplace(entity.layerId(), ::LayerOf(entity)).first;
    return GoverningLayer(found->second, outer.layer);
}

const EntityPens::Linetype& EntityPens::LinetypeOf(AcDbObjectId id)
{
    const auto found = m_linetypes.find(id);
    if (found != m_linetypes.end())
        return found->second;
    Linetype linetype;
    const Opened<AcDbLinetypeTableRecord> record = OpenObject<AcDbLinetypeTableRecord>(id, AcDb::kForRead);
    const ACHAR* name = nullptr;
    if (record && record->getName(name) == Acad::eOk && name != nullptr)
    {
        linetype.byLayer = std::wcscmp(name, ACRX_T("ByLayer")) == 0;
        linetype.byBlock = std::wcscmp(name, ACRX_T("ByBlock")) == 0;
        for (int i = 0; i < record->numDashes(); ++i)
            linetype.pattern.push_back(record->dashLengthAt(i));
    }
    return m_linetypes.emplace(id, std::move(linetype)).first->second;
}

bool EntityPens::Shows(const AcDbEntity& entity, const Inherited& outer)
{
    return ShowsOn(entity, LayerOf(entity, outer));
}

Inherited EntityPens::Resolve(const AcDbEntity& entity, const Inherited& outer)
{
    const std::optional<EntityLayer>& layer = LayerOf(entity, outer);
    Inherited resolved;
    resolved.layer = layer;
    resolved.colour = entity.color();
    if (resolved.colour.isByBlock())
        resolved.colour = outer.colour;
    else if (resolved.colour.isByLayer())
        resolved.colour = layer ? layer->colour : Inherited::ModelSpace().colour;
    resolved.linetype = entity.linetypeId();
    const Linetype& linetype = LinetypeOf(resolved.linetype);
    if (linetype.byBlock)
        resolved.linetype = outer.linetype;
    else if (linetype.byLayer)
        resolved.linetype = layer ? layer->linetype : AcDbObjectId::kNull;
    resolved.weight = entity.lineWeight();
    if (resolved.weight == AcDb::kLnWtByBlock)
        resolved.weight = outer.weight;
    else if (resolved.weight == AcDb::kLnWtByLayer)
        resolved.weight = layer ? layer->lineWeight : AcDb::kLnWtByLwDefault;
    return resolved;
}

std::size_t EntityPens::PenOf(const AcDbEntity& entity, const Inherited& outer)
{
    const Inherited resolved = Resolve(entity, outer);
    Pen pen;
    pen.colour = ShownColour(resolved.colour, false).Hex();
    pen.dashes = DashArray(LinetypeOf(resolved.linetype).pattern, entity.linetypeScale());
    pen.weight = WeightMillimetres(resolved.weight);
    const auto [found, added] = m_indices.emplace(pen, m_pens.size());
    if (added)
        m_pens.push_back(std::move(pen));
    return found->second;
}
