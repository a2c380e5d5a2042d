// How znsim ends: the exit statuses a script can tell apart, one for each
// kind of failure and for what a check found.
#pragma once

#include "drawing/Failure.h"

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
    // sweep --check found the envelope running into something, or meet
    // --check found parts meeting.
    conflict = 6,
};

// The statuses as the help text lists them.
const char* ExitStatusHelp();

// The status a failure of that kind ends znsim with.
ExitStatus ExitStatusOf(FailureKind kind);
