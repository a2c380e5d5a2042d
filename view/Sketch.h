// What a block definition (or model space) draws as the person drew it:
// every piece with its pen, in the definition's own coordinates. Curves are
// paths of chords, whole circles and ellipses stay ellipses, a polyline with
// a constant width is a path drawn that wide, one whose width changes a
// filled band, a hatch its rings filled, a text its lines where they stand.
// The page and the still draw the same sketch; pens are indices into the
// picture's one table of them.
#pragma once

#include "motion/Outline.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

// How a piece is drawn.
struct Pen
{
    // "#rrggbb", as the picture's light background shows it.
    std::string colour;
    // Dash, gap, dash... in the sketch's units, scaled by the entity's line
    // type scale; empty for a solid line.
    std::vector<double> dashes;
    // In millimetres; the host's default line weight when none is given.
    double weight = 0.25;

    // How wide the picture draws a line of this weight: a pixel for the
    // default weight and anything thinner, and as many more as it is times
    // heavier.
    double Pixels() const { return std::max(1.0, weight / 0.25); }

    bool operator<(const Pen& other) const
    {
        return std::tie(colour, dashes, weight) < std::tie(other.colour, other.dashes, other.weight);
    }
};

struct SketchPath
{
    std::size_t pen = 0;
    OutlinePath path;
    // A polyline's constant width in the sketch's units; 0 draws it at the
    // pen's line weight.
    double width = 0.0;
};

// A whole ellipse: its centre, its two radii and the angle of the first
// radius from the x axis.
struct SketchEllipse
{
    std::size_t pen = 0;
    double cx = 0.0, cy = 0.0, rx = 0.0, ry = 0.0, angle = 0.0;
};

// Closed rings filled even-odd: solid, or for a pattern a lighter tint with
// the rings drawn round it.
struct SketchFill
{
    std::size_t pen = 0;
    std::vector<std::vector<double>> rings;
    bool solid = true;
};

// Lines of text standing on the first line's base line at (x, y), turned by
// angle radians, each next line lineStep further down the text's own y
// axis. anchor: where (x, y) is along the line: "start", "middle", "end".
struct SketchText
{
    std::size_t pen = 0;
    std::vector<std::string> lines;
    double x = 0.0, y = 0.0, height = 1.0, angle = 0.0, widthFactor = 1.0, lineStep = 0.0;
    std::string anchor = "start";
};

struct SketchPoint
{
    std::size_t pen = 0;
    double x = 0.0, y = 0.0;
};

struct Sketch
{
    std::vector<SketchPath> paths;
    std::vector<SketchEllipse> ellipses;
    std::vector<SketchFill> fills;
    std::vector<SketchText> texts;
    std::vector<SketchPoint> points;
    bool cutShort = false;
};

// The height of a capital letter as a share of the font's size: a text's
// height is that of its capitals.
constexpr double kCapitalHeight = 0.72;
