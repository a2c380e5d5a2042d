// A DXF drawing as this system exchanges it, in the DXF's own terms: blocks
// and model space holding lines, circles, arcs, 2D polylines with bulges and
// block references (angles in degrees, as DXF has them), the layers, and
// the records filed under the simulations' dictionary. The file reader fills
// it and the file writer writes it; the drawing mapping reads or builds it.
// Nothing here knows the host or the DXF library.
#pragma once

#include <cstddef>
#include <map>
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
};

struct DxfPolyline
{
    std::vector<DxfVertex> vertices;
    bool closed = false;
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

using DxfShape = std::variant<DxfLine, DxfCircle, DxfArc, DxfPolyline, DxfInsert>;

struct DxfEntity
{
    DxfShape shape;
    std::string layer = "0";
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
    // An AutoCAD colour index, 1..255.
    int colour = 7;
    // Turned off and frozen: nothing on it is shown or printed.
    bool off = false;
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

struct DxfDrawing
{
    // The $ACADVER of a file read ("AC1015").
    std::string version;
    std::vector<DxfLayer> layers;
    std::vector<DxfBlock> blocks;
    std::vector<DxfEntity> modelSpace;
    // Under the dictionary named recordDictionary in the root dictionary.
    std::string recordDictionary;
    std::vector<DxfRecord> records;
    // What a read passed over, by entity type ("TEXT", "paper space LINE").
    std::map<std::string, std::size_t> skipped;
};
