#include "motion/SpeedUnits.h"

#include "model/CPmSection200.h"

#include <array>

namespace
{
const std::array<const char*, 3> kNames = {"mph", "km/h", "knots"};

// One unit of code in miles per hour, as the module converts it: a section
// given a speed of 1 holds exactly that.
double MilesPerHourPerUnit(int code)
{
    CPmSection200 probe;
    probe.SetSpeed(1.0, code);
    return probe.SpeedUnits() == code ? probe.Speed() : 1.0;
}
} // namespace

std::string SpeedUnitName(int code)
{
    if (code >= 0 && code < static_cast<int>(kNames.size()))
        return kNames[static_cast<std::size_t>(code)];
    return "unit " + std::to_string(code);
}

std::optional<int> SpeedUnitCode(const std::string& name)
{
    for (std::size_t code = 0; code < kNames.size(); ++code)
        if (name == kNames[code])
            return static_cast<int>(code);
    return std::nullopt;
}

double SpeedInUnit(double milesPerHour, int code)
{
    return milesPerHour / MilesPerHourPerUnit(code);
}

double MilesPerHour(double speed, int code)
{
    return speed * MilesPerHourPerUnit(code);
}
