#include "app/DrawingCommand.h"

#include <iostream>

void AddJsonOption(CLI::App& command, DrawingOptions& options)
{
    command.add_flag("--json", options.json, "print the report as JSON");
}

int RunOnDrawing(const DrawingOptions& options, const DrawingCommand& command)
{
    HostSession host;
    host.Open(options.file);
    const Outcome outcome = command(host);
    if (outcome.changed)
        host.Save(options.file);
    Print(outcome, options.json);
    return static_cast<int>(outcome.status);
}

void Print(const Outcome& outcome, bool json)
{
    if (json)
        std::cout << outcome.data.dump(2) << '\n';
    else
        std::cout << outcome.text;
}

CommandFailure SimulationNotFound(const std::string& file, const std::string& name)
{
    return {ExitStatus::notFound, file + ": no simulation named \"" + name + "\""};
}
