#include "analysis/Obstacles.h"

#include "analysis/OutlineShapes.h"
#include "cadhost/Utf8Text.h"
#include "drawing/BlockWalk.h"
#include "drawing/Layers.h"
#include "drawing/Names.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbPoint.h"
#include "host/AcDbText.h"
#include "host/AcRxClass.h"
#include "motion/Outline.h"

#include <algorithm>

namespace
{
std::string ShownBlockName(const AcDbEntity& entity)
{
    const auto* reference = AcDbBlockReference::cast(&entity);
    return reference != nullptr ? BlockName(reference->blockTableRecord()).value_or("") : std::string();
}

// Whether the user sees the entity as something in the way.
bool Seen(const AcDbEntity& entity, const std::optional<EntityLayer>& layer)
{
    if (AcDbText::cast(&entity) != nullptr || AcDbMText::cast(&entity) != nullptr ||
        AcDbPoint::cast(&entity) != nullptr)
        return false;
    return ShowsOn(entity, layer);
}

bool Chosen(const ObstacleLayers& layers, const std::string& layer)
{
    return (layers.only.Empty() || layers.only.Matches(layer)) && !layers.ignore.Matches(layer);
}

Geometry GeometryOf(const GeosContext& geos, const AcDbEntity& entity, double tolerance)
{
    OutlineBuilder builder(Seen);
    builder.AddEntity(entity, Affine2());
    OutlineShapes shapes = ShapesOf(geos, builder.Take(), Affine2(), tolerance);
    std::vector<Geometry> parts = std::move(shapes.areas);
    for (Geometry& line : shapes.lines)
        parts.push_back(std::move(line));
    return geos.Collection(std::move(parts));
}
} // namespace

std::vector<Obstacle> ModelSpaceObstacles(const GeosContext& geos, const std::vector<AcDbHandle>& passOver,
                                          const ObstacleLayers& layers, double tolerance)
{
    std::vector<Obstacle> obstacles;
    // An entity that cannot be opened cannot be drawn, and is no obstacle.
    ForEachModelSpaceEntity([&](const AcDbEntity& entity) {
        AcDbHandle handle;
        entity.getAcDbHandle(handle);
        if (std::find(passOver.begin(), passOver.end(), handle) != passOver.end())
            return;
        const std::optional<EntityLayer> layer = LayerOf(entity);
        const std::string layerName = layer ? layer->name : std::string();
        if (!Chosen(layers, layerName))
            return;
        Geometry geometry = GeometryOf(geos, entity, tolerance);
        if (GEOSisEmpty_r(geos.Handle(), geometry.get()))
            return;
        obstacles.push_back(
            {handle, cadhost::toUtf8(entity.isA()->name()), ShownBlockName(entity), layerName, std::move(geometry)});
    });
    return obstacles;
}
