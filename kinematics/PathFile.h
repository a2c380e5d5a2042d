// A path to drive, as a JSON description gives it (docs/vehicles.md has the
// schema): parts, each a polyline of points with an optional bulge per
// vertex, driven forward or in reverse, at a speed of its own if it says
// so; and optionally the vehicle's heading and articulation at the start.
// Anything wrong is a JsonFieldError naming the document and the field.
#pragma once

#include "kinematics/Path.h"

#include <string>

[[nodiscard]] DrivePath ParseDrivePath(const std::string& text, const std::string& document);
