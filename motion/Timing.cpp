#include "motion/Timing.h"

#include <algorithm>
#include <cmath>
#include <iterator>

double UnitsPerSecond(double milesPerHour, double metresPerUnit)
{
    return milesPerHour * kMetresPerSecondPerMph / metresPerUnit;
}

std::vector<double> PositionTimes(const std::vector<PmPosition200>& positions,
                                  double unitsPerSecond)
{
    std::vector<double> times;
    times.reserve(positions.size());
    double elapsed = 0.0;
    for (std::size_t i = 0; i < positions.size(); ++i)
    {
        if (i > 0)
        {
            const dpoint3d& a = positions[i - 1].pt;
            const dpoint3d& b = positions[i].pt;
            elapsed += std::hypot(b.x - a.x, b.y - a.y, b.z - a.z) / unitsPerSecond;
        }
        times.push_back(elapsed);
    }
    return times;
}

Step StepAt(const std::vector<double>& times, double t)
{
    const auto after = std::upper_bound(times.begin(), times.end(), t);
    if (after == times.begin())
        return {0, 0.0};
    const auto reached = std::prev(after);
    const auto index = static_cast<std::size_t>(reached - times.begin());
    if (after == times.end())
        return {index, 0.0};
    return {index, (t - *reached) / (*after - *reached)};
}
