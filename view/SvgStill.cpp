#include "view/SvgStill.h"

#include "drawing/NumberText.h"
#include "motion/Bounds.h"
#include "motion/Timing.h"
#include "view/EnvelopeLayer.h"
#include "view/SketchSvg.h"
#include "view/SvgText.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kWidth = 1200.0;
constexpr double kCaption = 28.0;

std::string Seconds(double value)
{
    return DecimalText(value, 2) + " s";
}

std::string OutlineSvg(const Outline& outline)
{
    std::string svg;
    for (const OutlinePath& path : outline.paths)
        if (path.xy.size() >= 4)
            svg += "<path d=\"" + SvgPathData(path.xy, path.closed) + "\"/>";
    for (const OutlineEllipse& e : outline.ellipses)
        svg +=
            "<circle r=\"1\" transform=\"" + SvgMatrix({e.ux, e.uy, e.vx, e.vy, e.cx, e.cy}) + "\"/>";
    return svg;
}

std::string Use(std::size_t block, const Affine2& place)
{
    return "<use href=\"#b" + std::to_string(block) + "\" transform=\"" + SvgMatrix(place) + "\"/>";
}

// Each reference's sketch under its placement, its lines' weights in
// pixels of a page drawn at scale.
std::string DrawingSvg(const DrawingPicture& picture, double scale)
{
    std::string svg = SketchSvg(picture.Loose(), picture.Pens(), 1.0 / scale);
    for (const SketchInsert& insert : picture.Inserts())
    {
        const Affine2& p = insert.place;
        const double pixel = 1.0 / (scale * std::sqrt(std::max(std::fabs(p.a * p.d - p.b * p.c), 1e-300)));
        svg += "<g transform=\"" + SvgMatrix(p) + "\">" +
               SketchSvg(picture.Sketches()[insert.sketch], picture.Pens(), pixel) + "</g>";
    }
    return svg;
}

std::string Caption(const ViewedSimulation& sim, double seconds)
{
    const SimulationMotion& motion = sim.motion;
    std::string caption = sim.name + " \u2014 " +
                          Seconds(std::clamp(seconds, 0.0, motion.duration)) + " of " +
                          Seconds(motion.duration);
    if (!motion.problem.empty())
        return caption + " \u2014 cannot be played: " + motion.problem;
    const Moment moment = MomentAt(motion, seconds);
    const SectionMotion& section = motion.sections[moment.section];
    caption += " \u2014 " + SectionStatus(sim, moment.section);
    const std::optional<std::size_t> lead = LeadSegment(section);
    if (!lead)
        return caption;
    const std::vector<double>& times = section.segments[*lead].times;
    return caption + " \u2014 position " + std::to_string(StepAt(times, moment.time).index + 1) + " of " +
           std::to_string(times.size());
}

std::string Traces(const SimulationMotion& motion, Bounds& bounds)
{
    std::string svg;
    for (const SectionMotion& section : motion.sections)
        for (const SegmentMotion& segment : section.segments)
        {
            if (segment.placements.empty())
                continue;
            svg += "<path d=\"M";
            for (std::size_t i = 0; i < segment.placements.size(); ++i)
            {
                const dpoint3d& p = segment.placements[i].point;
                bounds.Add(p.x, p.y);
                svg += (i > 0 ? " L" : "") + SvgNumber(p.x) + ' ' + SvgNumber(p.y);
            }
            svg += "\"/>";
        }
    return svg;
}
} // namespace

std::string SvgStill(DrawingPicture& picture, const ViewedSimulation& sim, double seconds)
{
    Bounds bounds = picture.DrawingBounds();
    const std::string traces = Traces(sim.motion, bounds);
    const std::string envelope = sim.sweep ? EnvelopeSvg(*sim.sweep) : std::string();
    if (sim.sweep)
        AddEnvelope(bounds, *sim.sweep);
    std::string parts;
    for (const PlacedPart& part : PartsAt(sim.motion, seconds))
    {
        const std::size_t block = picture.Block(part.definition);
        bounds.Add(picture.Blocks()[block], part.place);
        parts += Use(block, part.place);
    }
    if (bounds.Empty())
        bounds = Bounds{-10.0, -10.0, 10.0, 10.0};
    const double margin =
        0.04 * std::max({bounds.maxX - bounds.minX, bounds.maxY - bounds.minY, 1.0});
    const double scale = kWidth / (bounds.maxX - bounds.minX + 2.0 * margin);
    const double height = scale * (bounds.maxY - bounds.minY + 2.0 * margin);
    const Affine2 page{scale,
                       0.0,
                       0.0,
                       -scale,
                       scale * (margin - bounds.minX),
                       kCaption + scale * (margin + bounds.maxY)};

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + SvgNumber(kWidth) +
                      "\" height=\"" + SvgNumber(height + kCaption) + "\" viewBox=\"0 0 " +
                      SvgNumber(kWidth) + ' ' + SvgNumber(height + kCaption) + "\">\n<defs>";
    for (std::size_t i = 0; i < picture.Blocks().size(); ++i)
        svg += "<g id=\"b" + std::to_string(i) + "\">" + OutlineSvg(picture.Blocks()[i]) + "</g>\n";
    // The drawing's own lines are as wide as their weights at this scale;
    // the rest keep their width whatever the placement.
    svg += "</defs>\n<style>path, circle { vector-effect: non-scaling-stroke; } .drawing * { vector-effect: none; "
           "}</style>\n<rect "
           "width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg += "<text class=\"caption\" x=\"10\" y=\"19\" font-family=\"sans-serif\" font-size=\"15\">" +
           XmlText(Caption(sim, seconds)) + "</text>\n";
    svg += "<g transform=\"" + SvgMatrix(page) + "\" fill=\"none\">\n";
    svg += "<g class=\"drawing\">" + DrawingSvg(picture, scale) + "</g>\n";
    svg += envelope;
    svg += "<g class=\"paths\" stroke=\"#c83c1e\" stroke-opacity=\"0.55\" stroke-width=\"2\" stroke-dasharray=\"6 "
           "4\">" +
           traces + "</g>\n";
    svg += "<g class=\"parts\" stroke=\"#0b4f8a\" stroke-width=\"1.5\" fill=\"#2878c8\" fill-opacity=\"0.18\">" +
           parts + "</g>\n";
    svg += "</g>\n</svg>\n";
    return svg;
}
