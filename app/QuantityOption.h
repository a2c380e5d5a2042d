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
// which timing needs; left empty, the drawing's own units hold.
CLI::Option* AddUnitOption(CLI::App& command, std::string& unit);

// The unit a command works in: the one --unit names, else the working
// drawing's insertion units, else (a drawing without units) metres.
struct DrawingUnit
{
    std::string name;
    double metres = 1.0;
};
[[nodiscard]] DrawingUnit UnitOfDrawing(const std::string& unitOption);
