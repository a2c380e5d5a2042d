// The plain-text form of znsim meet's report, made from the JSON that
// --json prints.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// The simulations and their starts, the clearance and tolerance, then each
// meeting: the two parts, from when to when, and the closest approach.
std::string MeetText(const nlohmann::json& meet);
