// A sketch as SVG elements in its own coordinates, each with its pen's
// colour, dashes and width written on it. pixel is how long a pixel of the
// picture is in the sketch's units, which line weights are drawn in.
#pragma once

#include "view/Sketch.h"

#include <string>
#include <vector>

[[nodiscard]] std::string SketchSvg(const Sketch& sketch, const std::vector<Pen>& pens, double pixel);
