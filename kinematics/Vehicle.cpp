#include "kinematics/Vehicle.h"

Vehicle InDrawingUnits(const Vehicle& vehicle, double metresPerUnit)
{
    Vehicle scaled = vehicle;
    for (VehicleUnit& unit : scaled.units)
    {
        for (double* length : {&unit.width, &unit.length, &unit.frontOverhang, &unit.wheelbase, &unit.rearOverhang})
            *length /= metresPerUnit;
        for (VehicleAxle& axle : unit.axles)
            for (double* length : {&axle.at, &axle.track, &axle.tyreWidth, &axle.tyreDiameter})
                *length /= metresPerUnit;
        if (unit.coupling)
            unit.coupling->offset /= metresPerUnit;
    }
    return scaled;
}
