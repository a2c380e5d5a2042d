#include "kinematics/TurningFigures.h"

#include <algorithm>
#include <cmath>

TurningFigures FullLockTurn(const Vehicle& vehicle)
{
    TurningFigures figures;
    const VehicleUnit& lead = vehicle.units.front();
    figures.frontAxle = lead.wheelbase / std::sin(vehicle.lock);
    double axle = lead.wheelbase / std::tan(vehicle.lock);
    // The outer front corner, about the centre on the axle line.
    figures.outerCorner = std::hypot(lead.wheelbase + lead.frontOverhang, axle + lead.width / 2.0);
    double inner = axle - lead.width / 2.0;
    figures.axles.push_back(axle);
    for (std::size_t i = 0; i + 1 < vehicle.units.size(); ++i)
    {
        const double c = vehicle.units[i].coupling->offset;
        const VehicleUnit& next = vehicle.units[i + 1];
        const double hitch = std::hypot(axle, c);
        if (hitch <= next.wheelbase)
        {
            figures.jackknife = i + 1;
            return figures;
        }
        const double trailing = std::sqrt(hitch * hitch - next.wheelbase * next.wheelbase);
        figures.articulations.push_back(std::asin(next.wheelbase / hitch) - std::atan(c / axle));
        axle = trailing;
        figures.axles.push_back(axle);
        inner = std::min(inner, axle - next.width / 2.0);
    }
    figures.inner = inner;
    return figures;
}
