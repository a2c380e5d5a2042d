// What the commands that work on one drawing share: FILE and --json on the
// command line, opening the drawing as the working one, saving it only when
// the command changed it, and printing the command's report.
#pragma once

#include "app/ExitStatus.h"
#include "app/HostSession.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <string>

struct DrawingOptions
{
    std::string file;
    bool json = false;
};

// What a command did: whether it changed the drawing, and its report, as
// data for --json and as text, and the status znsim ends with once the
// report is printed (a finding a script may act on, not a failure).
struct Outcome
{
    bool changed = false;
    nlohmann::json data;
    std::string text;
    ExitStatus status = ExitStatus::ok;
};

using DrawingCommand = std::function<Outcome(HostSession& host)>;
// What main runs once the command line has chosen a command: its exit status.
using Action = std::function<int()>;

// Adds --json, which every command that reports something takes.
void AddJsonOption(CLI::App& command, DrawingOptions& options);

// Loads the module, opens options.file, runs command on it, saves the drawing
// when the command changed it, and then prints the report; the command's
// status.
int RunOnDrawing(const DrawingOptions& options, const DrawingCommand& command);
void Print(const Outcome& outcome, bool json);

CommandFailure SimulationNotFound(const std::string& file, const std::string& name);

// Adds a command that works on one drawing: it takes FILE and --json, and
// when the command line names it, run makes its outcome once the drawing is
// open. The caller adds the command's own arguments, which land in *options.
// run is called as run(host, options) and gives the Outcome.
template <class Options, class Run>
CLI::App& AddDrawingCommand(CLI::App& app, Action& action, const std::string& name,
                            const std::string& description, std::shared_ptr<Options> options, Run run)
{
    CLI::App* command = app.add_subcommand(name, description);
    command->add_option("FILE", options->file, "the drawing file (.zdw)")->required();
    AddJsonOption(*command, *options);
    command->callback([&action, options, run] {
        action = [options, run] {
            return RunOnDrawing(*options, [&](HostSession& host) { return run(host, *options); });
        };
    });
    return *command;
}
