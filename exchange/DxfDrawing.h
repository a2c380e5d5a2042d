// A DXF drawing as this system exchanges it, in the DXF's own terms: the
// layer, line type and text style tables; blocks and model space holding
// lines, circles, arcs, 2D polylines with bulges and widths, block
// references, text, paragraphs of text, ellipses, splines, points and
// hatches (angles in degrees, as DXF has them); the insertion units; and
// the records filed under the simulations' dictionary. The file reader
// fills it and the file writer writes it; the drawing mapping reads or
// builds it. Nothing here knows the host or the DXF library.
#pragma once

#include <cstddef>
#include <map>
#include <tuple>
#include <string>
#include <variant>
#include <vector>

struct DxfPoint
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct DxfLine
{
    DxfPoint start;
    DxfPoint end;
};

struct DxfCircle
{
    DxfPoint centre;
    double radius = 0.0;
};

// Counter-clockwise from startAngle to endAngle, in degrees.
struct DxfArc
{
    DxfPoint centre;
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;
};

struct DxfVertex
{
    double x = 0.0;
    double y = 0.0;
    // Of the segment that starts here: tan(included angle / 4).
    double bulge = 0.0;
    // Of that segment at its two ends; negative when the vertex gives none
    // and the polyline's constant width holds.
    double startWidth = -1.0;
    double endWidth = -1.0;
};

struct DxfPolyline
{
    std::vector<DxfVertex> vertices;
    bool closed = false;
    double constantWidth = 0.0;
    double elevation = 0.0;
};

// rotation in degrees about z, counter-clockwise.
struct DxfInsert
{
    std::string block;
    DxfPoint position;
    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;
    double rotation = 0.0;
};

// A line of text. It stands on position, or for any alignment but left
// on the base line (horizontal 0, vertical 0) on alignment.
struct DxfText
{
    std::string text;
    std::string style = "Standard";
    DxfPoint position;
    DxfPoint alignment;
    double height = 1.0;
    double rotation = 0.0;
    double widthFactor = 1.0;
    double oblique = 0.0;
    // 2 drawn backwards, 4 upside down.
    int mirror = 0;
    // 0 left, 1 centre, 2 right, 3 aligned, 4 middle, 5 fit.
    int horizontal = 0;
    // 0 base line, 1 bottom, 2 middle, 3 top.
    int vertical = 0;
};

// A paragraph of text with its formatting codes, at location, its lines
// running along direction.
struct DxfMText
{
    std::string text;
    std::string style = "Standard";
    DxfPoint location;
    DxfPoint direction{1.0, 0.0, 0.0};
    DxfPoint normal{0.0, 0.0, 1.0};
    double height = 1.0;
    // 0 for no wrapping.
    double width = 0.0;
    // 1 top left to 9 bottom right, row by row.
    int attachment = 1;
    // 1 left to right, 3 top to bottom, 5 by style.
    int flow = 1;
    // 1 at least, 2 exactly.
    int spacingStyle = 1;
    double spacingFactor = 1.0;
};

// Whole or an arc of one, from startParam to endParam (radians, the
// parameter of centre + cos t major + sin t minor).
struct DxfEllipse
{
    DxfPoint centre;
    DxfPoint majorAxis{1.0, 0.0, 0.0};
    DxfPoint normal{0.0, 0.0, 1.0};
    double ratio = 1.0;
    double startParam = 0.0;
    double endParam = 6.28318530717958647692;
};

struct DxfSpline
{
    int degree = 3;
    bool closed = false;
    bool periodic = false;
    std::vector<DxfPoint> controlPoints;
    std::vector<double> knots;
    // One per control point for a rational spline; none otherwise.
    std::vector<double> weights;
    std::vector<DxfPoint> fitPoints;
    // Zero when not given.
    DxfPoint startTangent;
    DxfPoint endTangent;
    double knotTolerance = 0.0;
    double controlTolerance = 0.0;
    double fitTolerance = 0.0;
};

// A point entity; angle in degrees is the x axis its style draws along.
struct DxfPointEntity
{
    DxfPoint position;
    double angle = 0.0;
};

// An edge of a hatch boundary, in the hatch's plane: a line (type 1), a
// circular arc (2), an elliptical arc (3) or a spline (4). Arcs run
// counter-clockwise from startAngle to endAngle (degrees) unless clockwise,
// when they run clockwise from -startAngle to -endAngle, as DXF has them.
struct DxfHatchEdge
{
    int type = 1;
    double x1 = 0.0;
    double y1 = 0.0;
    // Line: its end. Ellipse: its major axis.
    double x2 = 0.0;
    double y2 = 0.0;
    // Circle: its radius. Ellipse: minor over major.
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 0.0;
    bool counterClockwise = true;
    // Spline: x, y pairs of its control points.
    int degree = 3;
    bool periodic = false;
    std::vector<double> knots;
    std::vector<double> controlPoints;
    std::vector<double> weights;
};

// A polyline loop (vertices with bulges) or a loop of edges; flags as DXF
// gives them (1 outer, 2 polyline, 16 outermost, ...).
struct DxfHatchLoop
{
    int flags = 0;
    std::vector<DxfVertex> vertices;
    std::vector<DxfHatchEdge> edges;
    // Where it starts in the file, for messages.
    std::size_t line = 0;
};

// Angle in degrees; base point and offset in drawing units; dashes as a
// line type's.
struct DxfPatternLine
{
    double angle = 0.0;
    double baseX = 0.0;
    double baseY = 0.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
    std::vector<double> dashes;
};

struct DxfHatch
{
    std::string pattern = "SOLID";
    bool solid = true;
    // 0 user-defined, 1 predefined, 2 custom.
    int patternType = 1;
    double patternAngle = 0.0;
    // The scale, or for a user-defined pattern its spacing.
    double patternScale = 1.0;
    bool patternDouble = false;
    // 0 normal, 1 outer, 2 ignore.
    int style = 0;
    double elevation = 0.0;
    DxfPoint normal{0.0, 0.0, 1.0};
    std::vector<DxfHatchLoop> loops;
    std::vector<DxfPatternLine> lines;
    std::vector<DxfPoint> seeds;
};

using DxfShape = std::variant<DxfLine, DxfCircle, DxfArc, DxfPolyline, DxfInsert, DxfText, DxfMText, DxfEllipse,
                              DxfSpline, DxfPointEntity, DxfHatch>;

// By layer and by block as DXF gives them.
constexpr int kDxfColourByBlock = 0;
constexpr int kDxfColourByLayer = 256;
constexpr int kDxfLineWeightByLayer = -1;

struct DxfEntity
{
    DxfShape shape;
    std::string layer = "0";
    std::string linetype = "ByLayer";
    // An index (0 by block, 256 by layer), and a true colour 0xRRGGBB that
    // wins over it when not negative.
    int colour = kDxfColourByLayer;
    int trueColour = -1;
    double linetypeScale = 1.0;
    // Hundredths of a millimetre, or -1 by layer, -2 by block, -3 default.
    int lineWeight = kDxfLineWeightByLayer;
    bool visible = true;
    // As read: its handle (hexadecimal, empty when the file gives none) and
    // the line of the file where it starts, for messages.
    std::string handle;
    std::size_t line = 0;
};

struct DxfBlock
{
    std::string name;
    // Entities are drawn relative to it: a reference puts it at its position.
    DxfPoint base;
    std::vector<DxfEntity> entities;
    std::size_t line = 0;
};

struct DxfLayer
{
    std::string name;
    // An index 1 to 255; a true colour wins when not negative.
    int colour = 7;
    int trueColour = -1;
    std::string linetype = "Continuous";
    // Hundredths of a millimetre, or -3 default.
    int lineWeight = -3;
    bool off = false;
    bool frozen = false;
    bool locked = false;
    bool plotted = true;
    std::size_t line = 0;
};

// Dashes: positive drawn, negative a gap, 0 a dot.
struct DxfLinetype
{
    std::string name;
    std::string description;
    double patternLength = 0.0;
    std::vector<double> dashes;
    std::size_t line = 0;
};

struct DxfTextStyle
{
    std::string name;
    std::string font;
    std::string bigFont;
    // 0 when the style does not fix the height.
    double height = 0.0;
    double widthFactor = 1.0;
    double oblique = 0.0;
    // 2 backwards, 4 upside down.
    int generation = 0;
    bool vertical = false;
    bool shape = false;
    double lastHeight = 2.5;
    std::size_t line = 0;
};

// One tag of a record: a group code with text, a real or an integer.
struct DxfTag
{
    int code = 0;
    std::variant<std::string, double, int> value;
};

// An XRECORD, filed in the named dictionary under key.
struct DxfRecord
{
    std::string key;
    std::vector<DxfTag> tags;
};

// What a read passed over, by what it was: an entity type (with where, for
// paper space), or one of an entity's or a table record's attributes.
struct DxfSkip
{
    std::string type;
    // Empty for the whole entity or record.
    std::string attribute;
    // Empty, or "paper space".
    std::string in;

    bool operator<(const DxfSkip& other) const
    {
        return std::tie(type, attribute, in) < std::tie(other.type, other.attribute, other.in);
    }
    bool operator==(const DxfSkip& other) const
    {
        return std::tie(type, attribute, in) == std::tie(other.type, other.attribute, other.in);
    }
};

struct DxfDrawing
{
    // The $ACADVER of a file read ("AC1015").
    std::string version;
    // $INSUNITS: the host's insertion units, 0 for none.
    int units = 0;
    std::vector<DxfLinetype> linetypes;
    std::vector<DxfLayer> layers;
    std::vector<DxfTextStyle> styles;
    std::vector<DxfBlock> blocks;
    std::vector<DxfEntity> modelSpace;
    // Under the dictionary named recordDictionary in the root dictionary.
    std::string recordDictionary;
    std::vector<DxfRecord> records;
    std::map<DxfSkip, std::size_t> skipped;
    // Layers and text styles that entities are on or in but the file never
    // defines: made with their defaults, as CAD programs make them.
    std::vector<std::string> createdLayers;
    std::vector<std::string> createdStyles;
};
