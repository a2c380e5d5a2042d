#include "app/DriveText.h"

#include "app/TextView.h"
#include "drawing/Angles.h"
#include "drawing/NumberText.h"
#include "motion/SpeedUnits.h"

namespace
{
using nlohmann::json;

// Sections and positions counted from 1, as show counts them.
json PlaceJson(const std::optional<DrivePlace>& place)
{
    if (!place)
        return nullptr;
    return {{"section", place->part + 1}, {"position", place->position + 1}, {"distance", place->distance}};
}

json LimitJson(const LimitCheck& check)
{
    const bool rate = check.what == "steering rate";
    return {{"what", check.what},
            {"largest", Degrees(check.largest)},
            {"limit", Degrees(check.limit)},
            {"unit", rate ? "degrees/s" : "degrees"},
            {"first", PlaceJson(check.first)},
            {"last", PlaceJson(check.last)}};
}

// unit is the drawing's, with a space before it.
std::string Place(const json& place, const std::string& unit)
{
    return NumberText(place["distance"]) + unit + " along the path (section " +
           std::to_string(place["section"].get<std::size_t>()) + " position " +
           std::to_string(place["position"].get<std::size_t>()) + ")";
}

std::string Limit(const json& limit, const std::string& unit)
{
    std::string text = "  " + limit["what"].get<std::string>() + ": largest " + NumberText(limit["largest"]) + " " +
                       limit["unit"].get<std::string>() + ", limit " + NumberText(limit["limit"]);
    if (!limit["first"].is_null())
        text += ": EXCEEDED from " + Place(limit["first"], unit) + " to " + Place(limit["last"], unit);
    return text + "\n";
}
} // namespace

json DriveJson(const DriveStored& stored, const Vehicle& vehicle, const DrivePath& path,
               const std::vector<DrivenPart>& driven, const DriveChecks& checks)
{
    json sections = json::array();
    double length = 0.0;
    for (std::size_t p = 0; p < driven.size(); ++p)
    {
        length += path.parts[p].Length();
        sections.push_back({{"reverse", driven[p].reverse},
                            {"speed", driven[p].speed},
                            {"unit", SpeedUnitName(driven[p].speedUnit)},
                            {"length", path.parts[p].Length()},
                            {"positions", driven[p].samples.size()}});
    }
    json units = json::array();
    for (const VehicleUnit& unit : vehicle.units)
        units.push_back(unit.name);
    json limits = json::array();
    for (const LimitCheck& check : checks.limits)
        limits.push_back(LimitJson(check));
    return {{"file", stored.file},
            {"simulation", stored.simulation},
            {"unit", stored.unit},
            {"vehicle", vehicle.name},
            {"units", units},
            {"length", length},
            {"sections", sections},
            {"limits", limits},
            {"exceeded", checks.Exceeded()},
            {"off_tracking", checks.offTracking},
            {"swept_width", checks.sweptWidth}};
}

std::string DriveText(const json& drive)
{
    std::size_t positions = 0;
    for (const json& section : drive["sections"])
        positions += section["positions"].get<std::size_t>();
    const std::string unit = " " + drive["unit"].get<std::string>();
    std::string text = "Drove " + drive["vehicle"].get<std::string>() + " (" +
                       Counted(drive["units"].size(), "unit") + ") along " + NumberText(drive["length"]) + unit +
                       " of path and stored it as \"" + drive["simulation"].get<std::string>() + "\" in " +
                       drive["file"].get<std::string>() + ": " + Counted(drive["sections"].size(), "section") + ", " +
                       std::to_string(positions) + " positions a unit.\n";
    for (const json& limit : drive["limits"])
        text += Limit(limit, unit);
    return text + "  largest off-tracking " + NumberText(drive["off_tracking"]) + unit + ", widest swept path " +
           NumberText(drive["swept_width"]) + unit + "\n";
}
