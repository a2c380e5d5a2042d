// Angles are degrees in descriptions and reports, and radians in the module.
#pragma once

#include <cmath>

inline double Radians(double degrees)
{
    return degrees * (std::acos(-1.0) / 180.0);
}

inline double Degrees(double radians)
{
    return radians * (180.0 / std::acos(-1.0));
}
