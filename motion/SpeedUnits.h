// The units a section's speed may be given in, by the module's unit codes:
// their names in descriptions and reports, and the way back from the miles
// per hour that a section holds to the unit it was given in.
#pragma once

#include <optional>
#include <string>

// "mph", "km/h" or "knots"; "unit N" for a code the module does not know.
[[nodiscard]] std::string SpeedUnitName(int code);
[[nodiscard]] std::optional<int> SpeedUnitCode(const std::string& name);
// A speed held in miles per hour, in the unit of code.
[[nodiscard]] double SpeedInUnit(double milesPerHour, int code);
// A speed in the unit of code, in miles per hour, as a section holds it.
[[nodiscard]] double MilesPerHour(double speed, int code);
