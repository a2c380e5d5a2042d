#include "app/ExitStatus.h"

const char* ExitStatusHelp()
{
    return "Exit status:\n"
           "  0  success\n"
           "  1  the host or the module failed unexpectedly\n"
           "  2  bad usage, a bad JSON description, or a file that is not a readable drawing\n"
           "  3  no simulation of that name\n"
           "  4  refused: the simulation is in use, the name is taken, or it is still version 101\n"
           "  5  a file cannot be read or written, or another znsim held the drawing too long (--wait)\n"
           "  6  sweep --check: the envelope runs into something in the drawing;\n"
           "     meet --check: parts come within the clearance of each other\n";
}

ExitStatus ExitStatusOf(FailureKind kind)
{
    switch (kind)
    {
    case FailureKind::badInput: return ExitStatus::badInput;
    case FailureKind::notFound: return ExitStatus::notFound;
    case FailureKind::refused: return ExitStatus::refused;
    case FailureKind::io: return ExitStatus::ioFailure;
    case FailureKind::internal: break;
    }
    return ExitStatus::failure;
}
