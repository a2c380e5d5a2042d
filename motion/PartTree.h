// A segment's part tree, flattened in depth-first order, each part with
// what places and draws it: its offset from the segment's frame (the sum of
// the offsets from the top part down to it) and its block reference's block
// definition, rotation and scale. The reference's own position is not used:
// the position's point places the part. Its reference's handle and its text
// say which part it is in reports.
#pragma once

#include "host/AcDbHandle.h"
#include "host/AcDbObjectId.h"
#include "model/dpoint3d.h"
#include "motion/Affine2.h"

#include <string>
#include <vector>

class CPmPart;

struct PartShape
{
    // 0 for the segment's top part.
    int depth = 0;
    dpoint3d offset;
    // Null when the part has no block reference in the working drawing.
    AcDbObjectId definition;
    // The reference's rotation and scale, applied in the part's frame.
    Affine2 shape;
    // Null when the part has no block.
    AcDbHandle reference;
    // UTF-8.
    std::string text;
};

[[nodiscard]] std::vector<PartShape> PartShapes(const CPmPart& top);
