// The pieces of SVG text the still is written in.
#pragma once

#include "motion/Affine2.h"

#include <string>
#include <vector>

// A number to the picture's digits.
[[nodiscard]] std::string SvgNumber(double value);
// matrix(a b c d e f).
[[nodiscard]] std::string SvgMatrix(const Affine2& m);
// Text with &, < and > escaped, for an element's content or an attribute in
// double quotes (" escaped too).
[[nodiscard]] std::string XmlText(const std::string& text);
// Path data through x0, y0, x1, y1, ...: "M x0 y0 L x1 y1 ...", closed
// with Z. Empty for fewer than two points.
[[nodiscard]] std::string SvgPathData(const std::vector<double>& xy, bool closed);
