// A quantity on the command line (a clearance, a tolerance, a moment in
// seconds): a finite number, and above 0 unless zero is allowed. Anything
// else is refused with the text given and what is wanted.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

// what names the quantity in the refusal: "not a distance: -1 (...)".
CLI::Validator Quantity(const std::string& what, bool zeroAllowed);
