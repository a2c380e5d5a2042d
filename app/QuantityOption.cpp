#include "app/QuantityOption.h"

#include <cmath>
#include <sstream>

CLI::Validator Quantity(const std::string& what, bool zeroAllowed)
{
    return CLI::Validator(
        [what, zeroAllowed](std::string& text) {
            double value = 0.0;
            std::istringstream in(text);
            in >> value;
            const bool whole = !in.fail() && (in >> std::ws).eof();
            if (whole && std::isfinite(value) && (value > 0.0 || (zeroAllowed && value == 0.0)))
                return std::string();
            return "not " + what + ": " + text + (zeroAllowed ? " (a number, 0 or more)" : " (a number above 0)");
        },
        zeroAllowed ? "NUMBER>=0" : "NUMBER>0");
}
