#include "motion/LengthUnit.h"

#include <array>
#include <utility>

std::optional<double> MetresPerUnit(const std::string& name)
{
    static const std::array<std::pair<const char*, double>, 8> kUnits = {{{"m", 1.0},
                                                                          {"cm", 0.01},
                                                                          {"mm", 0.001},
                                                                          {"km", 1000.0},
                                                                          {"in", 0.0254},
                                                                          {"ft", 0.3048},
                                                                          {"yd", 0.9144},
                                                                          {"mi", 1609.344}}};
    for (const auto& [unit, metres] : kUnits)
        if (name == unit)
            return metres;
    return std::nullopt;
}
