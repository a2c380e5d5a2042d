// A hatch's filled area as an outline holds it: each boundary loop flattened
// to a closed path (bulges, circular and elliptical arcs as chords of at
// most kArcStep radians, a NURBS edge as NurbsCurve draws it), in the
// plane of the hatch's loops. A loop that cannot be read is passed over, as
// whatever else an outline cannot open is.
#pragma once

#include "motion/Outline.h"

class AcDbHatch;

[[nodiscard]] OutlineArea HatchArea(const AcDbHatch& hatch, const Affine2& place);
