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

namespace
{
struct InsertionUnit
{
    const char* name;
    double metres;
};

// In the order of their values, from 1.
constexpr std::array<InsertionUnit, 24> kInsertionUnits = {{{"in", 0.0254},
                                                            {"ft", 0.3048},
                                                            {"mi", 1609.344},
                                                            {"mm", 0.001},
                                                            {"cm", 0.01},
                                                            {"m", 1.0},
                                                            {"km", 1000.0},
                                                            {"microinch", 2.54e-8},
                                                            {"mil", 2.54e-5},
                                                            {"yd", 0.9144},
                                                            {"angstrom", 1e-10},
                                                            {"nm", 1e-9},
                                                            {"micron", 1e-6},
                                                            {"dm", 0.1},
                                                            {"dam", 10.0},
                                                            {"hm", 100.0},
                                                            {"Gm", 1e9},
                                                            {"AU", 149597870700.0},
                                                            {"light year", 9460730472580800.0},
                                                            {"parsec", 3.0856775814913673e16},
                                                            {"US survey ft", 1200.0 / 3937.0},
                                                            {"US survey in", 100.0 / 3937.0},
                                                            {"US survey yd", 3600.0 / 3937.0},
                                                            {"US survey mi", 6336000.0 / 3937.0}}};

const InsertionUnit* UnitOf(int units)
{
    return units >= 1 && units <= static_cast<int>(kInsertionUnits.size())
               ? &kInsertionUnits[static_cast<std::size_t>(units - 1)]
               : nullptr;
}
} // namespace

std::optional<double> MetresPerInsertionUnit(int units)
{
    const InsertionUnit* unit = UnitOf(units);
    return unit != nullptr ? std::optional<double>(unit->metres) : std::nullopt;
}

std::string InsertionUnitName(int units)
{
    if (units == 0)
        return "no units";
    const InsertionUnit* unit = UnitOf(units);
    return unit != nullptr ? unit->name : std::to_string(units);
}
