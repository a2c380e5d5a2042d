// A part's footprint: the closed area its block definition draws, in the
// part's own frame (through its reference's rotation and scale). Closed
// polylines, circles and nested references count as areas; lines and open
// polylines as strips as wide as the tolerance.
//
// It is kept as convex pieces, because the area a convex piece covers while
// it moves between two placements is, to within the tolerance, the convex
// hull of the piece at both: a sweep is then one hull per piece and step.
#pragma once

#include "analysis/Geos.h"
#include "motion/Bounds.h"
#include "motion/Outline.h"

#include <vector>

struct Footprint
{
    // Rings, x0, y0, x1, y1, ... (not repeated at the end), of convex
    // pieces whose union is the footprint.
    std::vector<std::vector<double>> pieces;
    // How far its farthest point lies from the part's origin.
    double reach = 0.0;
    // The box around it, in the part's frame; an empty footprint's is the
    // part's origin.
    Bounds box{0.0, 0.0, 0.0, 0.0};

    bool Empty() const { return pieces.empty(); }
};

[[nodiscard]] Footprint FootprintOf(const GeosContext& geos, const Outline& outline, const Affine2& shape,
                                    double tolerance);

// The convex hull of every piece placed at from and at to, as polygons;
// pieces that a tilted placement flattens to nothing are left out.
[[nodiscard]] std::vector<Geometry> SweptPieces(const GeosContext& geos, const Footprint& footprint,
                                                const Affine2& from, const Affine2& to);
