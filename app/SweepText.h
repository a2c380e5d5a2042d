// The plain-text form of znsim sweep's report, made from the JSON that
// --json prints.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// The sweep's tolerance and clearance, each segment's envelope (and grown
// envelope, with a clearance) and all segments', then what it runs into.
std::string SweepText(const nlohmann::json& sweep);
