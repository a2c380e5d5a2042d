// Angles are degrees in descriptions, reports and DXF, and radians in the
// host, the module and the geometry.
#pragma once

constexpr double kPi = 3.14159265358979323846;

constexpr double Radians(double degrees)
{
    return degrees * (kPi / 180.0);
}

constexpr double Degrees(double radians)
{
    return radians * (180.0 / kPi);
}
