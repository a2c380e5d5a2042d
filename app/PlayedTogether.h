// What meet, and view and export with --meet, share: simulations named on
// the command line to play together on one clock, each named once, each
// from the start --start gives it.
#pragma once

#include "analysis/Meetings.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

class CPmSim200;

// Adds --start SIMULATION=SECONDS, which may be given for several.
CLI::Option* AddStartOption(CLI::App& command, std::vector<std::string>& starts);

// When each of names starts on the shared clock, in their order: what
// --start gives it, or 0. Refuses a start that is not SIMULATION=SECONDS
// or that names none of names.
[[nodiscard]] std::vector<double> StartsOf(const std::vector<std::string>& names,
                                           const std::vector<std::string>& starts);

// Hands each simulation named to use, in order. Refuses a name given twice
// (bad input) and one that the drawing in file does not hold (not found).
void ForEachNamedSimulation(const std::string& file, const std::vector<std::string>& names,
                            const std::function<void(const CPmSim200&)>& use);

// The simulations named, each with its motion (drawing units standing for
// metresPerUnit metres) and its start, refused as the two above refuse.
[[nodiscard]] std::vector<PlayedSimulation> PlayedTogether(const std::string& file,
                                                           const std::vector<std::string>& names,
                                                           const std::vector<std::string>& starts,
                                                           double metresPerUnit);

// FindMeetings, its failures naming file.
[[nodiscard]] MeetingReport MeetingsIn(const std::string& file, const std::vector<PlayedSimulation>& played,
                                       const MeetingOptions& options);

// Adds --start, which needs meet, and --clearance, the one distance that
// serves envelope (envelopeUse says how) and meet and needs either.
void AddClearanceAndStarts(CLI::App& command, const CLI::Option* envelope, CLI::Option* meet,
                           const std::string& envelopeUse, double& clearance, std::vector<std::string>& starts);
