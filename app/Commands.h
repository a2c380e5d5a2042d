// The commands of znsim. Each adds itself, with its options and help, to the
// application; when the command line names it, it leaves in action what to
// run.
#pragma once

#include "app/DrawingCommand.h"

#include <CLI/CLI.hpp>

void AddDemoCommand(CLI::App& app, Action& action);
void AddListCommand(CLI::App& app, Action& action);
void AddShowCommand(CLI::App& app, Action& action);
void AddNewCommand(CLI::App& app, Action& action);
void AddUseCommands(CLI::App& app, Action& action);
void AddDeleteCommand(CLI::App& app, Action& action);
void AddUpgradeCommand(CLI::App& app, Action& action);
void AddCleanCommand(CLI::App& app, Action& action);
void AddInfoCommand(CLI::App& app, Action& action);
void AddViewCommand(CLI::App& app, Action& action);
void AddExportCommand(CLI::App& app, Action& action);
void AddImportCommand(CLI::App& app, Action& action);
void AddSweepCommand(CLI::App& app, Action& action);
void AddMeetCommand(CLI::App& app, Action& action);
void AddDriveCommand(CLI::App& app, Action& action);
void AddVehiclesCommand(CLI::App& app, Action& action);

// What znsim list does once the drawing is open.
Outcome ListSimulations(AcDbDatabase& drawing, const DrawingOptions& options);
