#include "analysis/Footprints.h"

#include "cadhost/NameComparison.h"
#include "cadhost/Utf8Text.h"
#include "drawing/Layers.h"
#include "host/AcDbBlockReference.h"
#include "motion/Bounds.h"

#include <algorithm>
#include <cmath>

double Reach(const std::vector<PlacedFootprint>& parts)
{
    double reach = 0.0;
    for (const PlacedFootprint& part : parts)
    {
        const dpoint3d& o = part.offset;
        reach = std::max(reach, std::hypot(o.x, o.y, o.z) + part.footprint->reach);
    }
    return reach;
}

bool TyresOnly(const AcDbEntity& entity, const std::optional<EntityLayer>& layer)
{
    if (AcDbBlockReference::cast(&entity) != nullptr)
        return true;
    return layer && cadhost::equalNoCase(cadhost::fromUtf8(layer->name), cadhost::fromUtf8(kTyreLayer));
}

const Outline& Footprints::OutlineOf(AcDbObjectId definition)
{
    auto found = m_outlines.find(definition);
    if (found == m_outlines.end())
        found = m_outlines.emplace(definition, BlockOutline(definition, m_takes)).first;
    return found->second;
}

double Footprints::LargestSize(const SimulationMotion& motion)
{
    double size = 0.0;
    for (const SectionMotion& section : motion.sections)
        for (const SegmentMotion& segment : section.segments)
            for (const PartShape& part : segment.parts)
            {
                if (part.definition.isNull())
                    continue;
                Bounds bounds;
                bounds.Add(OutlineOf(part.definition), part.shape);
                if (!bounds.Empty())
                    size = std::max({size, bounds.maxX - bounds.minX, bounds.maxY - bounds.minY});
            }
    return size;
}

const Footprint& Footprints::Of(const PartShape& part, double tolerance)
{
    const Affine2& s = part.shape;
    const Key key{part.definition, s.a, s.b, s.c, s.d, tolerance};
    auto found = m_footprints.find(key);
    if (found == m_footprints.end())
        found = m_footprints.emplace(key, FootprintOf(m_geos, OutlineOf(part.definition), s, tolerance)).first;
    return found->second;
}

std::vector<PlacedFootprint> Footprints::PartsOf(const SegmentMotion& segment, double tolerance)
{
    std::vector<PlacedFootprint> parts;
    for (std::size_t i = 0; i < segment.parts.size(); ++i)
    {
        const PartShape& part = segment.parts[i];
        if (part.definition.isNull())
            continue;
        const Footprint& footprint = Of(part, tolerance);
        if (!footprint.Empty())
            parts.push_back({&footprint, part.offset, i});
    }
    return parts;
}
