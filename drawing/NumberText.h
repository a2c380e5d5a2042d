// Numbers as reports and pictures write them: the shortest "%g" form to the
// given significant digits, or a fixed number of decimals, and never "-0".
#pragma once

#include <string>

// 6 digits suit a report that a person reads; 9 keep what a float carries
// for pictures drawn from the numbers.
constexpr int kPictureDigits = 9;
[[nodiscard]] std::string NumberText(double value, int digits = 6);
// Fixed decimals, for what is read as a clock: "5.00".
[[nodiscard]] std::string DecimalText(double value, int decimals);
