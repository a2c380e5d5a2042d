// A path as a vehicle is driven along it: straight pieces and circular arcs,
// in order, measured by their length. A polyline's bulged segments stay
// exact arcs. A path comes in parts; each is driven forward or in reverse,
// at a speed of its own.
#pragma once

#include <optional>
#include <vector>

struct PathPoint
{
    double x = 0.0;
    double y = 0.0;
    // The direction along the path, radians counter-clockwise from +x.
    double heading = 0.0;
};

// A line (curvature 0) or an arc from its start, turning left for a
// positive curvature (1 / radius).
struct PathPiece
{
    PathPoint start;
    double length = 0.0;
    double curvature = 0.0;

    // Where the piece is at s from its start, 0 <= s <= length.
    [[nodiscard]] PathPoint At(double s) const;
    // The distance from (x, y) to the nearest point of the piece, and
    // which side of it that is: positive on its left.
    [[nodiscard]] double SignedDistance(double x, double y) const;
};

// The signed distance from (x, y) to the nearest point of the pieces.
[[nodiscard]] double SignedDistance(const std::vector<PathPiece>& pieces, double x, double y);

// A polyline's vertex: the bulge is of the segment that starts there, the
// tangent of a quarter of its included angle, positive turning left.
struct PathVertex
{
    double x = 0.0;
    double y = 0.0;
    double bulge = 0.0;
};

// The pieces through the vertices (and back to the first when closed);
// segments of no length are left out.
[[nodiscard]] std::vector<PathPiece> PiecesThrough(const std::vector<PathVertex>& vertices, bool closed);

struct PathPart
{
    std::vector<PathPiece> pieces;
    bool reverse = false;
    // As given, in the unit of the module's speed unit code; none takes
    // the speed the command gives.
    std::optional<double> speed;
    int speedUnit = 0;

    [[nodiscard]] double Length() const;
    [[nodiscard]] PathPoint Start() const { return pieces.front().start; }
    [[nodiscard]] PathPoint End() const;
};

struct DrivePath
{
    std::vector<PathPart> parts;
    // Where the vehicle faces at the start, radians: by default along the
    // path's first direction (backing along it, for a reverse part). The
    // heading is the lead unit's forward; each articulation (one per
    // coupling, the leader's heading less its follower's) turns the units
    // behind from it; none leaves them in line.
    std::optional<double> heading;
    std::vector<double> articulation;
};
