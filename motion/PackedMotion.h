// A simulation's motion packed for playing back with no rule of motion at
// all: each segment is a run of keyframes of 32-bit floats, and a player
// finds the two keyframes around a moment and moves every number on the
// straight line between them.
//
// That is exact for the time, the positions passed and the frame's point,
// which move on straight lines between positions anyway. A part's place
// turns on an arc as its frame turns, so keyframes are added between
// positions wherever the frame turns, kKeyframeTurn at most from one to the
// next. A point r from the frame's origin then strays from where motion/
// puts it by at most r·(1 − cos(θ/2)) ≤ r·θ²/8 (the middle of the arc
// against the middle of its chord): 1.53e-4·r at 2°, 2 mm at the far end of
// a trailer reaching 14 m. Segments that draw no part need no such keyframes.
//
// The constants below lay a keyframe out; the page's script is built with
// them (view/EmbedPage.cmake reads them from this file).
#pragma once

#include "drawing/Angles.h"
#include "host/AcDbObjectId.h"
#include "motion/SimulationMotion.h"

#include <cstddef>
#include <optional>
#include <vector>

// A keyframe starts with kKeyframeHead floats:
// the time from the segment's time origin, rounded down, so that a moment at
// a position's time finds that position reached, as motion/ does;
constexpr std::size_t kKeyframeTime = 0;
// the position reached plus the fraction of the way to the next, whose whole
// part is the position the status shows;
constexpr std::size_t kKeyframePosition = 1;
// the frame's point less the segment's origin, which keeps the floats'
// precision for paths far from zero.
constexpr std::size_t kKeyframeX = 2;
constexpr std::size_t kKeyframeY = 3;
constexpr std::size_t kKeyframeHead = 4;
// Then kFloatsPerPart for each part the segment draws: its place as
// Affine2 holds it (a, b, c, d, e, f, the order a canvas takes), its
// translation e, f less the segment's origin.
constexpr std::size_t kPartE = 4;
constexpr std::size_t kPartF = 5;
constexpr std::size_t kFloatsPerPart = 6;

constexpr double kKeyframeTurn = Radians(2.0);

struct PackedSegment
{
    // Where its first keyframe starts among the floats, and how many.
    std::size_t at = 0;
    std::size_t keyframes = 0;
    std::size_t positions = 0;
    // A float's value too, so that the origin plus a keyframe's time, as a
    // player adds them in doubles, is exact.
    double timeOrigin = 0.0;
    double originX = 0.0;
    double originY = 0.0;
    // The definitions its parts draw, in the order they are packed.
    std::vector<AcDbObjectId> definitions;

    std::size_t Stride() const { return kKeyframeHead + kFloatsPerPart * definitions.size(); }
};

struct PackedSection
{
    std::vector<PackedSegment> segments;
    std::optional<std::size_t> lead;
};

struct PackedMotion
{
    // The section playing at a moment (clamped to the simulation's
    // duration) is the last whose start is at or before it, as MomentAt
    // finds it. A simulation that cannot be timed plays its first section
    // alone, so it has that start alone.
    std::vector<double> starts;
    std::vector<PackedSection> sections;
    std::vector<float> floats;
};

[[nodiscard]] PackedMotion PackMotion(const SimulationMotion& motion);

// Where a segment's part (its index in SegmentMotion::parts) is among the
// parts packed for the segment, which are those that draw a definition;
// none for a part that draws nothing.
[[nodiscard]] std::optional<std::size_t> PackedPartIndex(const SegmentMotion& segment, std::size_t part);
