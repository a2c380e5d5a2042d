// Opening a drawing in a fresh process, as a host that starts and opens one
// does: the benchmark program runs itself again as a child that opens the
// file (or only starts up) and writes its peak resident size (the kernel's
// high-water mark) and the time the open took to its output. Waiting for the
// child's resource usage would not do: a child started by a process that
// shares its memory until it runs the program inherits the parent's mark.
#pragma once

#include <string>

namespace bench
{
struct ChildOpen
{
    double peakBytes = -1; // negative when the child failed
    double seconds = 0;
};

// A child that opens drawingPath; with an empty path, one that opens nothing.
ChildOpen OpenInChild(const std::string& drawingPath);

// The main of a program that opens drawings in children: what it does when
// run as one, and its benchmarks otherwise.
int MainOpeningInChildren(int argc, char** argv);
} // namespace bench
