// A vehicle's drive as a simulation's description: a section for each part
// of the path driven, at its speed, and in it a segment for each unit,
// its part the block given for that unit; each position is a unit's rear
// axle centre (pt), with its leading point (tpt) and its heading. Every
// segment of a section holds as many positions, so the units step together
// on one clock.
#pragma once

#include "app/SimDescription.h"
#include "kinematics/Drive.h"

#include <string>
#include <vector>

[[nodiscard]] SimDescription DrivenSimulation(const std::wstring& name, const Vehicle& vehicle,
                                              const std::vector<DrivenPart>& driven,
                                              const std::vector<PartDescription>& units);
