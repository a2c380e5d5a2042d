// A vehicle description (docs/vehicles.md has the schema) read from JSON and
// checked whole: every unit has a positive width and wheelbase, its length
// is its overhangs and wheelbase added up (to 0.01 m), every coupling lies
// within its unit's body and stands between two units, and the lock and
// limits are angles a vehicle can have. Anything wrong is a JsonFieldError
// (drawing/JsonReader.h) naming the document and the field.
#pragma once

#include "kinematics/Vehicle.h"

#include <filesystem>
#include <string>
#include <vector>

[[nodiscard]] Vehicle ParseVehicle(const std::string& text, const std::string& document);

// The vehicles shipped with the program: the *.json files of folder.
[[nodiscard]] std::vector<std::filesystem::path> LibraryVehicles(const std::filesystem::path& folder);

// A vehicle by its name in the library folder, or from a file when
// nameOrFile names one (it ends in .json, or holds a '/'). An unknown name
// is a Failure (badInput) naming what the library holds.
[[nodiscard]] Vehicle LoadVehicle(const std::string& nameOrFile, const std::filesystem::path& folder);
