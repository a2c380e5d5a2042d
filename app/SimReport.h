// What znsim shows of simulations, as JSON. The same data is printed with
// --json and turned into text by the text views, so both always agree.
// Speeds are shown in the unit they were given in and in miles per hour;
// placements as the heading of the part (degrees counter-clockwise from the
// x axis) and as the three angles the module files (degrees).
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>

class CPmSim200;

// Name, type, identifier, in-use mark, version, sections, length and the
// stored times (the edit time null for a simulation still of version 101).
nlohmann::json SimulationSummary(CPmSim200& sim);
// The summary and the whole tree below it; each segment shows at most
// positionLimit positions, all without a limit.
nlohmann::json SimulationTree(CPmSim200& sim, std::optional<std::size_t> positionLimit);
// Every simulation of the working drawing, summarised, and the entries that
// cannot be read; file names the drawing in the report.
nlohmann::json SimulationList(const std::string& file);
