// What the commands that work on one drawing share: the drawing's file,
// --json and --wait on the command line, the drawing's lock
// (app/DrawingLock.h), opening the drawing as the working one (or creating
// it), saving it only when the command changed it, and printing the
// command's report.
#pragma once

#include "app/DrawingLock.h"
#include "app/ExitStatus.h"
#include "app/HostSession.h"
#include "app/Report.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <string>

struct DrawingOptions
{
    std::string file;
    bool json = false;
    // How long to wait for the drawing's lock.
    double wait = 10.0;
};

// What a command did: whether it changed the drawing, its report, and the
// status znsim ends with once the report is printed (a finding a script may
// act on, not a failure).
struct Outcome
{
    bool changed = false;
    Report report;
    ExitStatus status = ExitStatus::ok;
};

// A command gets the drawing it works on, open and the working one.
using DrawingCommand = std::function<Outcome(AcDbDatabase& drawing)>;
// What main runs once the command line has chosen a command: its exit status.
using Action = std::function<int()>;

// Adds --json and --wait, which every command that works on a drawing takes;
// the file itself the caller adds, as FILE or as an option.
void AddDrawingOptions(CLI::App& command, DrawingOptions& options,
                       const std::string& jsonHelp = "print the report as JSON");

// Leaves run in action when the command line names command.
void WhenChosen(CLI::App& command, Action& action, Action run);

// Makes options.file the working drawing in host (opened, or for create a
// new drawing, refused when a file of that name exists), runs command on it
// and saves the drawing when the command changed it; the caller holds the
// drawing's lock.
Outcome RunCommand(HostSession& host, const DrawingOptions& options, DrawingAccess access,
                   const DrawingCommand& command);
// Loads the module, and with the drawing locked for access runs command on
// it (RunCommand); then prints the report and answers the command's status.
int RunOnDrawing(const DrawingOptions& options, DrawingAccess access, const DrawingCommand& command);

Failure SimulationNotFound(const std::string& file, const std::string& name);

// Adds a command that works on the drawing FILE: it takes FILE, --json and
// --wait, and when the command line names it, run makes its outcome once the
// drawing is locked for access and open. The caller adds the command's own
// arguments, which land in *options. run is called as run(drawing, options) and
// gives the Outcome.
template <class Options, class Run>
CLI::App& AddDrawingCommand(CLI::App& app, Action& action, DrawingAccess access,
                            const std::string& name, const std::string& description,
                            std::shared_ptr<Options> options, Run run)
{
    CLI::App& command = *app.add_subcommand(name, description);
    command.add_option("FILE", options->file, "the drawing file (.zdw)")->required();
    AddDrawingOptions(command, *options);
    WhenChosen(command, action, [access, options, run] {
        return RunOnDrawing(*options, access, [&](AcDbDatabase& drawing) { return run(drawing, *options); });
    });
    return command;
}
