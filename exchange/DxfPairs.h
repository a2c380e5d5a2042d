// What the pairs of an entity or a table record say, in DxfDrawing's terms.
// Each reader takes the codes it knows and hands every other pair to the
// count of what was passed over, named by what it is ("thickness",
// "gradient", "group code 1234"), unless its value is the one that means
// nothing (a thickness of 0, the z axis as extrusion). So whatever an
// entity holds either comes in or is counted. Codes that only repeat what is
// taken (counts, the owner, subclass markers, a spline's plane, a hatch's
// pixel size) are neither.
//
// A spline whose knots go down or whose counts do not fit its degree, and
// a hatch boundary that does not close, are refused: a Failure (badInput)
// naming the line.
#pragma once

#include "exchange/DxfDrawing.h"
#include "exchange/DxfTagWatch.h"

#include <map>
#include <string>
#include <vector>

class DxfPairReader
{
public:
    explicit DxfPairReader(std::map<DxfSkip, std::size_t>& skipped) : m_skipped(skipped) {}

    // An entity of a taken type into entity (LWPOLYLINE vertices come
    // with it); false, and counted, when the drawing cannot hold it (an
    // array of references, a text without a height...).
    [[nodiscard]] bool Entity(const DxfTagWatch::Entity& read, std::vector<DxfVertex> vertices, DxfEntity& entity);
    // A POLYLINE, whose vertices follow, and whether it is a 2D one (not a
    // 3D polyline or a mesh); then each VERTEX, and whether it is drawn (a
    // spline frame's control vertex is not).
    [[nodiscard]] DxfPolyline Polyline(const DxfTagWatch::Entity& read, DxfEntity& entity, bool& flat);
    [[nodiscard]] bool Vertex(const DxfTagWatch::Entity& read, DxfVertex& vertex);

    [[nodiscard]] DxfLayer Layer(const DxfTagWatch::Entity& read);
    [[nodiscard]] DxfLinetype Linetype(const DxfTagWatch::Entity& read);
    [[nodiscard]] DxfTextStyle Style(const DxfTagWatch::Entity& read);
    // A block's name and base point.
    [[nodiscard]] DxfBlock Block(const DxfTagWatch::Entity& read);

    // Counts one thing passed over.
    void Skip(const std::string& type, const std::string& attribute = {}, const std::string& in = {});

private:
    bool Rejected(const std::string& what);

    std::map<DxfSkip, std::size_t>& m_skipped;
    // The widths a POLYLINE gives its vertices that give none.
    double m_defaultStart = -1.0;
    double m_defaultEnd = -1.0;
};
