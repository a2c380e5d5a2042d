// znsim drive's report: what was driven and stored, and what it took
// against the vehicle's limits, as JSON, and its plain-text form made from
// that JSON.
#pragma once

#include "kinematics/DriveChecks.h"

#include <nlohmann/json.hpp>

#include <string>

// Angles in degrees; distances in drawing units.
[[nodiscard]] nlohmann::json DriveJson(const std::string& file, const std::string& simulation,
                                       const Vehicle& vehicle, const DrivePath& path,
                                       const std::vector<DrivenPart>& driven, const DriveChecks& checks);
[[nodiscard]] std::string DriveText(const nlohmann::json& drive);
