#include "app/DrawingCommand.h"

void AddJsonOption(CLI::App& command, DrawingOptions& options)
{
    command.add_flag("--json", options.json, "print the report as JSON");
}

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
} // namespace

void AddWaitOption(CLI::App& command, double& wait)
{
    command
        .add_option("--wait", wait,
                    "seconds to wait while another znsim holds the drawing; then give up with "
                    "exit status 5 (commands that change a drawing hold it alone, those that "
                    "read it share it)")
        ->check(WaitSeconds())
        ->capture_default_str();
}

Outcome RunCommand(HostSession& host, const DrawingOptions& options, const DrawingCommand& command)
{
    Outcome outcome = command(host.Open(options.file));
    if (outcome.changed)
        host.Save(options.file);
    return outcome;
}

int RunOnDrawing(const DrawingOptions& options, DrawingAccess access, const DrawingCommand& command)
{
    HostSession host;
    const Outcome outcome = [&] {
        const DrawingLock lock(options.file, access, options.wait);
        return RunCommand(host, options, command);
    }();
    Print(outcome.report, options.json);
    return static_cast<int>(outcome.status);
}

Failure SimulationNotFound(const std::string& file, const std::string& name)
{
    return {FailureKind::notFound, file + ": no simulation named \"" + name + "\""};
}
