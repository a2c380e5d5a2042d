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

// A sketch as the page draws it: paths [pen, closed, width, xy], ellipses
// [pen, cx, cy, rx, ry, angle], fills [pen, solid, rings], points
// [pen, x, y], and texts with the font size their height asks for.
json SketchJson(const Sketch& sketch)
{
    json paths = json::array();
    for (const SketchPath& piece : sketch.paths)
        paths.push_back({piece.pen, piece.path.closed, piece.width, piece.path.xy});
    json ellipses = json::array();
    for (const SketchEllipse& e : sketch.ellipses)
        ellipses.push_back({e.pen, e.cx, e.cy, e.rx, e.ry, e.angle});
    json fills = json::array();
    for (const SketchFill& fill : sketch.fills)
        fills.push_back({fill.pen, fill.solid, fill.rings});
    json points = json::array();
    for (const SketchPoint& point : sketch.points)
        points.push_back({point.pen, point.x, point.y});
    json texts = json::array();
    for (const SketchText& text : sketch.texts)
        texts.push_back({{"pen", text.pen},
                         {"lines", text.lines},
                         {"x", text.x},
                         {"y", text.y},
                         {"size", text.height / kCapitalHeight},
                         {"angle", text.angle},
                         {"widthFactor", text.widthFactor},
                         {"lineStep", text.lineStep},
                         {"anchor", text.anchor}});
    return {{"paths", paths}, {"ellipses", ellipses}, {"fills", fills}, {"points", points}, {"texts", texts}};
}

json PensJson(const std::vector<Pen>& pens)
{
    json array = json::array();
    for (const Pen& pen : pens)
        array.push_back({{"colour", pen.colour}, {"dashes", pen.dashes}, {"pixels", pen.Pixels()}});
    return array;
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
    json sketches = json::array();
    for (const Sketch& sketch : picture.Sketches())
        sketches.push_back(SketchJson(sketch));
    json inserts = json::array();
    for (const SketchInsert& insert : picture.Inserts())
        inserts.push_back({{"sketch", insert.sketch}, {"place", Matrix(insert.place)}});
    page.scene = {{"unit", unitName},
                  {"blocks", blocks},
                  {"pens", PensJson(picture.Pens())},
                  {"loose", SketchJson(picture.Loose())},
                  {"sketches", sketches},
                  {"inserts", inserts},
                  {"bounds", BoundsJson(picture.DrawingBounds())},
                  {"cutShort", picture.CutShort()},
                  {"sims", simsJson},
                  {"together", together ? TogetherJson(sims, *together, unitName) : json()}};
    return page;
}
