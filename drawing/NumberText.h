// Numbers as reports and pictures write them: the shortest "%g" form to the
// given significant digits, and never "-0".
#pragma once

#include <string>

// 6 digits suit a report that a person reads; 9 keep what a float carries
// for pictures drawn from the numbers.
[[nodiscard]] std::string NumberText(double value, int digits = 6);
