#include "view/PageData.h"

#include "view/Base64.h"
#include "motion/Bounds.h"
#include "view/EnvelopeLayer.h"

namespace
{
using nlohmann::json;

json Matrix(const Affine2& m)
{
    return json::array({m.a, m.b, m.c, m.d, m.e, m.f});
}

json OutlineJson(const Outline& outline)
{
    json paths = json::array();
    for (const OutlinePath& path : outline.paths)
        paths.push_back({{"closed", path.closed}, {"xy", path.xy}});
    json ellipses = json::array();
    for (const OutlineEllipse& e : outline.ellipses)
        ellipses.push_back(json::array({e.cx, e.cy, e.ux, e.uy, e.vx, e.vy}));
    return {{"paths", paths}, {"ellipses", ellipses}};
}

json BoundsJson(const Bounds& bounds)
{
    if (bounds.Empty())
        return nullptr;
    return json::array({bounds.minX, bounds.minY, bounds.maxX, bounds.maxY});
}

class SimulationPacker
{
public:
    explicit SimulationPacker(DrawingPicture& picture) : m_picture(picture) {}

    json Pack(const ViewedSimulation& sim)
    {
        m_floats.clear();
        m_bounds = Bounds();
        json sections = json::array();
        for (std::size_t i = 0; i < sim.motion.sections.size(); ++i)
            sections.push_back(Section(sim.motion.sections[i], sim.sectionSpeeds.at(i)));
        if (sim.sweep)
            AddEnvelope(m_bounds, *sim.sweep);
        return {{"name", sim.name},
                {"duration", sim.motion.duration},
                {"problem", sim.motion.problem},
                {"bounds", BoundsJson(m_bounds)},
                {"sections", sections},
                {"sweep", EnvelopeJson(sim.sweep ? &*sim.sweep : nullptr)}};
    }

    std::string Positions() const
    {
        std::string text;
        AppendBase64(reinterpret_cast<const unsigned char*>(m_floats.data()),
                     m_floats.size() * sizeof(float), text);
        return text;
    }

private:
    json Section(const SectionMotion& section, const std::string& speed)
    {
        json segments = json::array();
        for (const SegmentMotion& segment : section.segments)
            segments.push_back(Segment(segment, section.start));
        return {{"speed", speed},
                {"start", section.start},
                {"duration", section.duration},
                {"segments", segments}};
    }

    json Segment(const SegmentMotion& segment, double start)
    {
        const std::size_t at = m_floats.size();
        const dpoint3d origin =
            segment.placements.empty() ? dpoint3d() : segment.placements.front().point;
        for (std::size_t i = 0; i < segment.placements.size(); ++i)
        {
            const Placement& p = segment.placements[i];
            m_bounds.Add(p.point.x, p.point.y);
            for (const double value : {segment.times[i] - start, p.point.x - origin.x, p.point.y - origin.y,
                                       p.rotation.w, p.rotation.x, p.rotation.y, p.rotation.z})
                m_floats.push_back(static_cast<float>(value));
        }
        json parts = json::array();
        for (const PartShape& part : segment.parts)
            if (!part.definition.isNull())
                parts.push_back(
                    {{"block", m_picture.Block(part.definition)},
                     {"offset", json::array({part.offset.x, part.offset.y, part.offset.z})},
                     {"shape",
                      json::array({part.shape.a, part.shape.b, part.shape.c, part.shape.d})}});
        return {{"at", at},
                {"count", segment.placements.size()},
                {"origin", json::array({origin.x, origin.y})},
                {"parts", parts}};
    }

    DrawingPicture& m_picture;
    std::vector<float> m_floats;
    Bounds m_bounds;
};

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
                  const std::string& unitName)
{
    PageData page;
    SimulationPacker packer(picture);
    json simsJson = json::array();
    for (const ViewedSimulation& sim : sims)
    {
        simsJson.push_back(packer.Pack(sim));
        page.positions.push_back(packer.Positions());
    }
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
                  {"sims", simsJson}};
    return page;
}
