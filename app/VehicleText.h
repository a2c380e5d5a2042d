// znsim vehicles' reports: the library, and one vehicle's dimensions with
// its steady turn at full lock, as JSON, and their plain-text forms made
// from that JSON. Lengths in metres, angles in degrees.
#pragma once

#include "kinematics/Vehicle.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

[[nodiscard]] nlohmann::json LibraryJson(const std::vector<Vehicle>& vehicles);
[[nodiscard]] std::string LibraryText(const nlohmann::json& library);
[[nodiscard]] nlohmann::json VehicleJson(const Vehicle& vehicle);
[[nodiscard]] std::string VehicleText(const nlohmann::json& vehicle);
