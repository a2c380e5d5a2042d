// What the commands that work on one drawing share: FILE and --json on the
// command line, opening the drawing as the working one, saving it only when
// the command changed it, and printing the command's report.
#pragma once

#include "app/ExitStatus.h"
#include "app/HostSession.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>

struct DrawingOptions
{
    std::string file;
    bool json = false;
};

// What a command did: whether it changed the drawing, and its report, as
// data for --json and as text.
struct Outcome
{
    bool changed = false;
    nlohmann::json data;
    std::string text;
};

using DrawingCommand = std::function<Outcome(HostSession& host)>;
// What main runs once the command line has chosen a command: its exit status.
using Action = std::function<int()>;

void AddDrawingOptions(CLI::App& command, DrawingOptions& options);
// Adds --json alone, for a command whose drawing is optional.
void AddJsonOption(CLI::App& command, DrawingOptions& options);

// Loads the module, opens options.file, runs command on it, saves the drawing
// when the command changed it, and then prints the report.
int RunOnDrawing(const DrawingOptions& options, const DrawingCommand& command);
void Print(const Outcome& outcome, bool json);

CommandFailure SimulationNotFound(const std::string& file, const std::string& name);

// Has the command's callback leave in action the command to run.
void Select(CLI::App& command, Action& action, Action selected);
