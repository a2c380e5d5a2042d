// znsim drive's report: what was driven and stored, and what it took
// against the vehicle's limits, as JSON, and its plain-text form made from
// that JSON.
#pragma once

#include "kinematics/DriveChecks.h"

#include <nlohmann/json.hpp>

#include <string>

// Where the drive was stored, and the name of the drawing unit its
// distances are in.
struct DriveStored
{
    std::string file;
    std::string simulation;
    std::string unit;
};

// Angles in degrees; distances in drawing units.
[[nodiscard]] nlohmann::json DriveJson(const DriveStored& stored, const Vehicle& vehicle, const DrivePath& path,
                                       const std::vector<DrivenPart>& driven, const DriveChecks& checks);
[[nodiscard]] std::string DriveText(const nlohmann::json& drive);
