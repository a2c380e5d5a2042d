#include "app/VehicleText.h"

#include "app/TextView.h"
#include "drawing/Angles.h"
#include "drawing/NumberText.h"
#include "kinematics/TurningFigures.h"

#include <algorithm>

namespace
{
using nlohmann::json;

// From the lead unit's front to the last unit's rear, all in line.
double OverallLength(const Vehicle& vehicle)
{
    double axle = 0.0;
    double front = -INFINITY;
    double rear = INFINITY;
    for (std::size_t i = 0; i < vehicle.units.size(); ++i)
    {
        const VehicleUnit& unit = vehicle.units[i];
        if (i > 0)
            axle += vehicle.units[i - 1].coupling->offset - unit.wheelbase;
        front = std::max(front, axle + unit.wheelbase + unit.frontOverhang);
        rear = std::min(rear, axle - unit.rearOverhang);
    }
    return front - rear;
}

json UnitJson(const VehicleUnit& unit)
{
    json axles = json::array();
    for (const VehicleAxle& axle : unit.axles)
        axles.push_back({{"at", axle.at},
                         {"track", axle.track},
                         {"tyre_width", axle.tyreWidth},
                         {"tyre_diameter", axle.tyreDiameter},
                         {"dual", axle.dual}});
    json coupling = nullptr;
    if (unit.coupling)
        coupling = {{"offset", unit.coupling->offset},
                    {"articulation_limit", Degrees(unit.coupling->articulationLimit)}};
    return {{"name", unit.name},         {"width", unit.width},       {"length", unit.length},
            {"front_overhang", unit.frontOverhang}, {"wheelbase", unit.wheelbase},
            {"rear_overhang", unit.rearOverhang},   {"axles", axles}, {"coupling", coupling}};
}

json TurnJson(const TurningFigures& turn)
{
    json articulations = json::array();
    for (const double angle : turn.articulations)
        articulations.push_back(Degrees(angle));
    return {{"front_axle_radius", turn.frontAxle},
            {"outer_corner_radius", turn.outerCorner},
            {"axle_radii", turn.axles},
            {"articulations", articulations},
            {"inner_radius", turn.inner ? json(*turn.inner) : json()},
            {"jackknife_unit", turn.jackknife ? json(*turn.jackknife + 1) : json()}};
}

std::string UnitText(const json& unit)
{
    std::string text = "  " + unit["name"].get<std::string>() + ": " + NumberText(unit["length"]) + " long, " +
                       NumberText(unit["width"]) + " wide; front overhang " + NumberText(unit["front_overhang"]) +
                       ", wheelbase " + NumberText(unit["wheelbase"]) + ", rear overhang " +
                       NumberText(unit["rear_overhang"]) + "; " + Counted(unit["axles"].size(), "axle") + "\n";
    if (!unit["coupling"].is_null())
        text += "    couples the next " + NumberText(unit["coupling"]["offset"]) +
                " ahead of its rear axle, up to " + NumberText(unit["coupling"]["articulation_limit"]) + " degrees\n";
    return text;
}

std::string TurnText(const json& turn)
{
    std::string text = "At full lock: front axle on " + NumberText(turn["front_axle_radius"]) +
                       ", outer front corner on " + NumberText(turn["outer_corner_radius"]);
    if (turn["inner_radius"].is_null())
        return text + "; unit " + std::to_string(turn["jackknife_unit"].get<std::size_t>()) +
               " jackknifes: its coupling's circle is smaller than its wheelbase\n";
    return text + ", inner radius " + NumberText(turn["inner_radius"]) + "\n";
}
} // namespace

json LibraryJson(const std::vector<Vehicle>& vehicles)
{
    json library = json::array();
    for (const Vehicle& vehicle : vehicles)
        library.push_back({{"name", vehicle.name},
                           {"title", vehicle.title},
                           {"units", vehicle.units.size()},
                           {"length", OverallLength(vehicle)}});
    return {{"vehicles", library}};
}

std::string LibraryText(const json& library)
{
    std::string text = Counted(library["vehicles"].size(), "vehicle") + " in the library:\n";
    for (const json& vehicle : library["vehicles"])
        text += "  " + vehicle["name"].get<std::string>() + ": " + vehicle["title"].get<std::string>() + " (" +
                Counted(vehicle["units"], "unit") + ", " + NumberText(vehicle["length"]) + " m)\n";
    return text;
}

json VehicleJson(const Vehicle& vehicle)
{
    json units = json::array();
    for (const VehicleUnit& unit : vehicle.units)
        units.push_back(UnitJson(unit));
    return {{"name", vehicle.name},          {"title", vehicle.title},
            {"sources", vehicle.sources},    {"lock", Degrees(vehicle.lock)},
            {"lock_to_lock", vehicle.lockToLock}, {"length", OverallLength(vehicle)},
            {"units", units},                {"full_lock", TurnJson(FullLockTurn(vehicle))}};
}

std::string VehicleText(const json& vehicle)
{
    std::string text = vehicle["name"].get<std::string>() + ": " + vehicle["title"].get<std::string>() + ", " +
                       NumberText(vehicle["length"]) + " m long; steering lock " + NumberText(vehicle["lock"]) +
                       " degrees, " + NumberText(vehicle["lock_to_lock"]) + " s lock to lock\n";
    for (const json& unit : vehicle["units"])
        text += UnitText(unit);
    text += TurnText(vehicle["full_lock"]);
    for (const json& source : vehicle["sources"])
        text += "Source: " + source.get<std::string>() + "\n";
    return text;
}
