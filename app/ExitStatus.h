// How znsim ends: the exit statuses a script can tell apart, and the failure
// that carries one of them, with its one-line message, out of a command.
#pragma once

#include <stdexcept>
#include <string>

enum class ExitStatus : int
{
    ok = 0,
    // The host or the module failed at something that should not fail.
    failure = 1,
    // Bad usage, a JSON description that is wrong, or a file that is not a
    // readable drawing.
    badInput = 2,
    // No simulation of that name.
    notFound = 3,
    // The drawing's state forbids it (the simulation is in use, the name is
    // taken, the simulation is of the previous release).
    refused = 4,
    // A file that cannot be read or written, or a drawing another process
    // held for longer than the command would wait.
    ioFailure = 5,
    // sweep --check found the envelope running into something.
    conflict = 6,
};

// The statuses as the help text lists them.
const char* ExitStatusHelp();

class CommandFailure : public std::runtime_error
{
public:
    CommandFailure(ExitStatus status, const std::string& message)
        : std::runtime_error(message), m_status(status)
    {
    }

    ExitStatus status() const { return m_status; }

private:
    ExitStatus m_status;
};
