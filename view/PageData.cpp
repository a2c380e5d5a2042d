#include "view/PageData.h"

#include "motion/Bounds.h"
#include "motion/PackedMotion.h"
#include "view/Base64.h"
#include "view/EnvelopeLayer.h"

namespace
{
using nlohmann::json;

json Matrix(const Affine2& m)
{
    return json::array({m.a, m.b, m.c, m.d, m.e, m.f});
}

json BoundsJson(const Bounds& bounds)
{
    if (bounds.Empty())
        return nullptr;
    return json::array({bounds.minX, bounds.minY, bounds.maxX, bounds.maxY});
}

// An outline and its box in its own units, which following the parts keeps
// in view.
json OutlineJson(const Outline& outline)
{
    json paths = json::array();
    for (const OutlinePath& path : outline.paths)
        paths.push_back({{"closed", path.closed}, {"xy", path.xy}});
    json ellipses = json::array();
    for (const OutlineEllipse& e : outline.ellipses)
        ellipses.push_back(json::array({e.cx, e.cy, e.ux, e.uy, e.vx, e.vy}));
    Bounds box;
    box.Add(outline, Affine2());
    return {{"paths", paths}, {"ellipses", ellipses}, {"box", BoundsJson(box)}};
}

json SegmentJson(const PackedSegment& segment, DrawingPicture& picture)
{
    json blocks = json::array();
    for (const AcDbObjectId definition : segment.definitions)
        blocks.push_back(picture.Block(definition));
    return {{"at", segment.at},
            {"keyframes", segment.keyframes},
            {"positions", segment.positions},
            {"t0", segment.timeOrigin},
            {"origin", json::array({segment.originX, segment.originY})},
            {"blocks", blocks}};
}

// The simulation's structure and texts; its floats go to positions.
json SimulationJson(const ViewedSimulation& sim, DrawingPicture& picture, std::string& positions)
{
    const PackedMotion packed = PackMotion(sim.motion);
    Bounds bounds;
    json sections = json::array();
    for (std::size_t i = 0; i < packed.sections.size(); ++i)
    {
        json segments = json::array();
        for (const PackedSegment& segment : packed.sections[i].segments)
            segments.push_back(SegmentJson(segment, picture));
        for (const SegmentMotion& segment : sim.motion.sections[i].segments)
            for (const Placement& placement : segment.placements)
                bounds.Add(placement.point.x, placement.point.y);
        const std::optional<std::size_t> lead = packed.sections[i].lead;
        sections.push_back({{"status", SectionStatus(sim, i)},
                            {"lead", lead ? json(*lead) : json(nullptr)},
                            {"segments", segments}});
    }
    if (sim.sweep)
        AddEnvelope(bounds, *sim.sweep);
    AppendBase64(reinterpret_cast<const unsigned char*>(packed.floats.data()), packed.floats.size() * sizeof(float),
                 positions);
    return {{"name", sim.name},
            {"duration", sim.motion.duration},
            {"problem", sim.motion.problem},
            {"bounds", BoundsJson(bounds)},
            {"starts", packed.starts},
            {"sections", sections},
            {"sweep", EnvelopeJson(sim.sweep ? &*sim.sweep : nullptr)}};
}

Bounds DrawingBounds(const DrawingPicture& picture)
{
    Bounds bounds;
    bounds.Add(picture.Loose(), Affine2());
    for (const BlockInsert& insert : picture.Inserts())
        bounds.Add(picture.Blocks()[insert.block], insert.place);
    return bounds;
}
} // namespace

PageData PackPage(DrawingPicture& picture, const std::vector<ViewedSimulation>& sims,
                  const std::string& unitName, const TogetherView* together)
{
    PageData page;
    json simsJson = json::array();
    for (const ViewedSimulation& sim : sims)
        simsJson.push_back(SimulationJson(sim, picture, page.positions.emplace_back()));
    // Parts have added their definitions by now.
    json blocks = json::array();
    for (const Outline& outline : picture.Blocks())
        blocks.push_back(OutlineJson(outline));
    json inserts = json::array();
    for (const BlockInsert& insert : picture.Inserts())
        inserts.push_back({{"block", insert.block}, {"place", Matrix(insert.place)}});
    page.scene = {{"unit", unitName},
                  {"blocks", blocks},
                  {"loose", OutlineJson(picture.Loose())},
                  {"inserts", inserts},
                  {"bounds", BoundsJson(DrawingBounds(picture))},
                  {"cutShort", picture.CutShort()},
                  {"sims", simsJson},
                  {"together", together ? TogetherJson(sims, *together, unitName) : json()}};
    return page;
}
