// A point in drawing units, passed by value.
#pragma once

#include <iosfwd>

struct dpoint3d
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// Writes "(x, y, z)" in the stream's current number format, as the debug
// dumps show points.
std::wostream& operator<<(std::wostream& stream, const dpoint3d& point);
