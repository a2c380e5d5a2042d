// The units a section's speed may be given in, by the module's unit codes:
// their names in descriptions and reports, and the way back from the miles
// per hour that a section holds to the unit it was given in.
#pragma once

#include <optional>
#include <string>

// "mph", "km/h" or "knots"; "unit N" for a code the module does not know.
std::string SpeedUnitName(int code);
std::optional<int> SpeedUnitCode(const std::string& name);
// A speed held in miles per hour, in the unit of code.
double SpeedInUnit(double milesPerHour, int code);
