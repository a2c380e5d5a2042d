// Quantities on the command line: a clearance, a tolerance, a moment in
// seconds, and the length a drawing unit stands for.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

// A finite number, and above 0 unless zero is allowed. Anything else is
// refused with what names the quantity and what is wanted: "not a distance:
// -1 (...)".
CLI::Validator Quantity(const std::string& what, bool zeroAllowed);

// Whether text is such a number, into value.
bool ReadQuantity(const std::string& text, bool zeroAllowed, double& value);

// Adds --unit, the length a drawing unit stands for (motion/LengthUnit.h),
// which timing needs.
CLI::Option* AddUnitOption(CLI::App& command, std::string& unit);
