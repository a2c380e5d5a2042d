// The plain-text form of znsim sweep's report, made from the JSON that
// --json prints.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// Any warnings, the sweep's tolerance and clearance, each segment's envelope
// (and grown envelope, with a clearance) and all segments', then what it
// runs into, each on its layer.
std::string SweepText(const nlohmann::json& sweep);
