// Where a part stands: a moving frame, given by a point and a rotation. The
// convention (docs/placement.md) in one place:
//  - a position places its segment's frame at the position's point `pt`,
//    turned by the rotation of its placement transform (the translation the
//    transform carries is not read: a filed placement always has `pt` there);
//  - a part sits at its offset in its parent's frame, and takes its parent's
//    rotation; the segment's top part is offset in the segment's frame, so
//    offsets add up down the tree;
//  - between two positions the point moves on the straight line and the
//    rotation turns the shorter way round.
#pragma once

#include "model/dpoint3d.h"
#include "motion/Affine2.h"
#include "motion/Rotation.h"

struct PmPosition200;

struct Placement
{
    dpoint3d point;
    Rotation rotation;

    // The frame of a part at offset in this frame: same rotation, its origin
    // at the offset turned with this frame.
    Placement Moved(const dpoint3d& offset) const;
    // Seen from above: what a point of the frame's plane z = 0 becomes in the
    // drawing's x, y (the frame's height and tilt project away).
    Affine2 TopView() const;
    // Where a part at offset in this frame stands, seen from above: the top
    // view of the frame moved by the offset. Whatever draws, sweeps or packs
    // a part places it through here.
    Affine2 PlaceAtOffset(const dpoint3d& offset) const;
};

[[nodiscard]] Placement PlacementAt(const PmPosition200& position);
// A fraction f (0..1) of the way from `from` to `to`.
[[nodiscard]] Placement Sample(const Placement& from, const Placement& to, double f);
