// The plain-text form of znsim's reports, made from the same JSON that
// --json prints.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// A list report: the file's simulations as a table, then any entries that
// could not be read and any names that collide.
std::string SimulationTableText(const nlohmann::json& list);
// A simulation's tree, one line per section, segment, part and position.
std::string SimulationTreeText(const nlohmann::json& tree);
// An info report.
std::string DrawingInfoText(const nlohmann::json& info);
// "1 section", "2 sections"; many when the plural is not one with an "s".
std::string Counted(std::size_t count, const std::string& one, const std::string& many = "");
