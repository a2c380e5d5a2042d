#include "view/SketchSvg.h"

#include "drawing/Angles.h"
#include "view/SvgText.h"

namespace
{
// What a piece's tint is, under the boundary drawn round a hatch pattern.
constexpr double kPatternTint = 0.3;

std::string Attribute(const std::string& name, const std::string& value)
{
    return ' ' + name + "=\"" + value + '"';
}

// The stroke of a line of pen, width wide (in the sketch's units).
std::string Stroke(const Pen& pen, double width)
{
    std::string stroke = Attribute("stroke", pen.colour) + Attribute("stroke-width", SvgNumber(width));
    if (pen.dashes.empty())
        return stroke;
    std::string dashes;
    for (const double dash : pen.dashes)
        dashes += (dashes.empty() ? "" : " ") + SvgNumber(dash);
    return stroke + Attribute("stroke-dasharray", dashes);
}

std::string PathsSvg(const Sketch& sketch, const std::vector<Pen>& pens, double pixel)
{
    std::string svg;
    for (const SketchPath& piece : sketch.paths)
    {
        const std::string data = SvgPathData(piece.path.xy, piece.path.closed);
        if (data.empty())
            continue;
        const Pen& pen = pens[piece.pen];
        svg += "<path" + Attribute("d", data) +
               Stroke(pen, piece.width > 0.0 ? std::max(piece.width, pixel) : pen.Pixels() * pixel) + "/>";
    }
    for (const SketchEllipse& e : sketch.ellipses)
    {
        const Pen& pen = pens[e.pen];
        svg += "<ellipse" + Attribute("cx", SvgNumber(e.cx)) + Attribute("cy", SvgNumber(e.cy)) +
               Attribute("rx", SvgNumber(e.rx)) + Attribute("ry", SvgNumber(e.ry)) +
               Attribute("transform", "rotate(" + SvgNumber(Degrees(e.angle)) + ' ' + SvgNumber(e.cx) + ' ' +
                                          SvgNumber(e.cy) + ')') +
               Stroke(pen, pen.Pixels() * pixel) + "/>";
    }
    return svg;
}

std::string FillsSvg(const Sketch& sketch, const std::vector<Pen>& pens, double pixel)
{
    std::string svg;
    for (const SketchFill& fill : sketch.fills)
    {
        std::string data;
        for (const std::vector<double>& ring : fill.rings)
            data += (data.empty() ? "" : " ") + SvgPathData(ring, true);
        if (data.empty())
            continue;
        const Pen& pen = pens[fill.pen];
        svg += "<path" + Attribute("d", data) + Attribute("fill", pen.colour) + Attribute("fill-rule", "evenodd") +
               (fill.solid ? std::string()
                           : Attribute("fill-opacity", SvgNumber(kPatternTint)) + Stroke(pen, pen.Pixels() * pixel)) +
               "/>";
    }
    return svg;
}

// Text stands upright in the sketch's y-up coordinates: its own y axis is
// turned back down for the glyphs.
std::string TextsSvg(const Sketch& sketch, const std::vector<Pen>& pens)
{
    std::string svg;
    for (const SketchText& text : sketch.texts)
    {
        svg += "<text" +
               Attribute("transform", "translate(" + SvgNumber(text.x) + ' ' + SvgNumber(text.y) + ") rotate(" +
                                          SvgNumber(Degrees(text.angle)) + ") scale(" +
                                          SvgNumber(text.widthFactor) + " -1)") +
               Attribute("font-size", SvgNumber(text.height / kCapitalHeight)) +
               Attribute("text-anchor", text.anchor) + Attribute("fill", pens[text.pen].colour) + ">";
        for (std::size_t i = 0; i < text.lines.size(); ++i)
            svg += "<tspan x=\"0\"" + Attribute("y", SvgNumber(text.lineStep * static_cast<double>(i))) + ">" +
                   XmlText(text.lines[i]) + "</tspan>";
        svg += "</text>";
    }
    return svg;
}

std::string PointsSvg(const Sketch& sketch, const std::vector<Pen>& pens, double pixel)
{
    std::string svg;
    for (const SketchPoint& point : sketch.points)
        svg += "<circle" + Attribute("cx", SvgNumber(point.x)) + Attribute("cy", SvgNumber(point.y)) +
               Attribute("r", SvgNumber(1.5 * pixel)) + Attribute("fill", pens[point.pen].colour) + "/>";
    return svg;
}
} // namespace

std::string SketchSvg(const Sketch& sketch, const std::vector<Pen>& pens, double pixel)
{
    // Fills first, so that the lines drawn over them show.
    return FillsSvg(sketch, pens, pixel) + PathsSvg(sketch, pens, pixel) + PointsSvg(sketch, pens, pixel) +
           TextsSvg(sketch, pens);
}
