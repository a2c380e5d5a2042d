// A distance on the command line (a clearance, a tolerance): a finite
// number, and above 0 unless zero is allowed. Anything else is refused with
// the text given and what is wanted.
#pragma once

#include <CLI/CLI.hpp>

CLI::Validator Distance(bool zeroAllowed);
