#include "app/DrawingCommand.h"

#include <filesystem>

namespace
{
// Up to about eleven days: longer waits are mistakes, and an infinite one
// would overflow the deadline.
constexpr double kLongestWait = 1e6;

CLI::Validator WaitSeconds()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            double seconds = -1.0;
            const bool number = CLI::detail::lexical_cast(text, seconds);
            if (number && seconds >= 0.0 && seconds <= kLongestWait)
                return "";
            return "expected seconds from 0 to 1000000, got \"" + text + "\"";
        },
        "SECONDS");
}

// A new drawing never takes the place of a file that exists; the one
// command that creates its drawing, import, adds to one with --into.
AcDbDatabase& Working(HostSession& host, const std::string& file, DrawingAccess access)
{
    if (access != DrawingAccess::create)
        return host.Open(file);
    if (std::filesystem::exists(file))
        throw Failure(FailureKind::refused, file + ": a file of that name exists; --into adds to a drawing");
    return host.Create();
}
} // namespace

void AddDrawingOptions(CLI::App& command, DrawingOptions& options, const std::string& jsonHelp)
{
    command.add_flag("--json", options.json, jsonHelp);
    command
        .add_option("--wait", options.wait,
                    "seconds to wait while another znsim holds the drawing; then give up with "
                    "exit status 5 (commands that change a drawing hold it alone, those that "
                    "read it share it)")
        ->check(WaitSeconds())
        ->capture_default_str();
}

void WhenChosen(CLI::App& command, Action& action, Action run)
{
    command.callback([&action, run = std::move(run)] { action = run; });
}

Outcome RunCommand(HostSession& host, const DrawingOptions& options, DrawingAccess access,
                   const DrawingCommand& command)
{
    Outcome outcome = command(Working(host, options.file, access));
    if (outcome.changed)
        host.Save(options.file);
    return outcome;
}

int RunOnDrawing(const DrawingOptions& options, DrawingAccess access, const DrawingCommand& command)
{
    HostSession host;
    const Outcome outcome = [&] {
        const DrawingLock lock(options.file, access, options.wait);
        return RunCommand(host, options, access, command);
    }();
    Print(outcome.report, options.json);
    return static_cast<int>(outcome.status);
}

Failure SimulationNotFound(const std::string& file, const std::string& name)
{
    return {FailureKind::notFound, file + ": no simulation named \"" + name + "\""};
}
