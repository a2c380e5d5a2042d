// znsim: the host application. It loads the module, makes the drawing file
// it is given the working drawing, runs one command and saves the drawing
// when the command changed it.
#include "app/Commands.h"

#include <iostream>
#include <new>

int main(int argc, char** argv)
{
    // Named as it was run, so that what it suggests can be pasted.
    CLI::App app("Build, inspect and manage the simulations stored in drawing files.");
    app.footer(ExitStatusHelp());
    app.require_subcommand(1);
    Action action;
    AddDemoCommand(app, action);
    AddListCommand(app, action);
    AddShowCommand(app, action);
    AddNewCommand(app, action);
    AddUseCommands(app, action);
    AddDeleteCommand(app, action);
    AddUpgradeCommand(app, action);
    AddCleanCommand(app, action);
    AddInfoCommand(app, action);
    AddViewCommand(app, action);
    AddExportCommand(app, action);
    AddImportCommand(app, action);
    AddSweepCommand(app, action);
    AddMeetCommand(app, action);
    AddDriveCommand(app, action);
    AddVehiclesCommand(app, action);
    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::Success& done)
    {
        return app.exit(done);
    }
    catch (const CLI::ParseError& error)
    {
        std::cerr << "znsim: " << error.what() << " (see " << app.get_name() << " --help)\n";
        return static_cast<int>(ExitStatus::badInput);
    }
    try
    {
        return action();
    }
    catch (const Failure& failure)
    {
        std::cerr << "znsim: " << failure.what() << '\n';
        return static_cast<int>(ExitStatusOf(failure.Kind()));
    }
    catch (const std::bad_alloc&)
    {
        std::cerr << "znsim: out of memory\n";
        return static_cast<int>(ExitStatus::failure);
    }
}
