#include "view/SvgStill.h"

#include "drawing/NumberText.h"
#include "motion/Bounds.h"
#include "motion/Timing.h"
#include "view/EnvelopeLayer.h"

#include <algorithm>

namespace
{
constexpr double kWidth = 1200.0;
constexpr double kCaption = 28.0;

std::string Number(double value)
{
    return NumberText(value, kPictureDigits);
}

std::string Matrix(const Affine2& m)
{
    return "matrix(" + Number(m.a) + ' ' + Number(m.b) + ' ' + Number(m.c) + ' ' + Number(m.d) +
           ' ' + Number(m.e) + ' ' + Number(m.f) + ')';
}

std::string Seconds(double value)
{
    return DecimalText(value, 2) + " s";
}

std::string XmlText(const std::string& text)
{
    std::string escaped;
    for (const char c : text)
        escaped += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return escaped;
}

std::string OutlineSvg(const Outline& outline)
{
    std::string svg;
    for (const OutlinePath& path : outline.paths)
    {
        if (path.xy.size() < 2)
            continue;
        svg += "<path d=\"M";
        for (std::size_t i = 0; i + 1 < path.xy.size(); i += 2)
            svg += (i > 0 ? " L" : "") + Number(path.xy[i]) + ' ' + Number(path.xy[i + 1]);
        svg += path.closed ? " Z\"/>" : "\"/>";
    }
    for (const OutlineEllipse& e : outline.ellipses)
        svg +=
            "<circle r=\"1\" transform=\"" + Matrix({e.ux, e.uy, e.vx, e.vy, e.cx, e.cy}) + "\"/>";
    return svg;
}

std::string Use(std::size_t block, const Affine2& place)
{
    return "<use href=\"#b" + std::to_string(block) + "\" transform=\"" + Matrix(place) + "\"/>";
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
                svg += (i > 0 ? " L" : "") + Number(p.x) + ' ' + Number(p.y);
            }
            svg += "\"/>";
        }
    return svg;
}
} // namespace

std::string SvgStill(DrawingPicture& picture, const ViewedSimulation& sim, double seconds)
{
    Bounds bounds;
    std::string drawing;
    bounds.Add(picture.Loose(), Affine2());
    drawing += OutlineSvg(picture.Loose());
    for (const BlockInsert& insert : picture.Inserts())
    {
        bounds.Add(picture.Blocks()[insert.block], insert.place);
        drawing += Use(insert.block, insert.place);
    }
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

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(kWidth) +
                      "\" height=\"" + Number(height + kCaption) + "\" viewBox=\"0 0 " +
                      Number(kWidth) + ' ' + Number(height + kCaption) + "\">\n<defs>";
    for (std::size_t i = 0; i < picture.Blocks().size(); ++i)
        svg += "<g id=\"b" + std::to_string(i) + "\">" + OutlineSvg(picture.Blocks()[i]) + "</g>\n";
    svg += "</defs>\n<style>path, circle { vector-effect: non-scaling-stroke; }</style>\n<rect "
           "width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg += "<text class=\"caption\" x=\"10\" y=\"19\" font-family=\"sans-serif\" font-size=\"15\">" +
           XmlText(Caption(sim, seconds)) + "</text>\n";
    svg += "<g transform=\"" + Matrix(page) + "\" fill=\"none\">\n";
    svg += "<g class=\"drawing\" stroke=\"#4a4a4a\" stroke-width=\"1\">" + drawing + "</g>\n";
    svg += envelope;
    svg += "<g class=\"paths\" stroke=\"#c83c1e\" stroke-opacity=\"0.55\" stroke-width=\"2\" stroke-dasharray=\"6 "
           "4\">" +
           traces + "</g>\n";
    svg += "<g class=\"parts\" stroke=\"#0b4f8a\" stroke-width=\"1.5\" fill=\"#2878c8\" fill-opacity=\"0.18\">" +
           parts + "</g>\n";
    svg += "</g>\n</svg>\n";
    return svg;
}
