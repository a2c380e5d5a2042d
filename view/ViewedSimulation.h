// One simulation as the page and the still show it: its name and each
// section's speed as text in the unit it was given in (the caller's words),
// and its motion.
#pragma once

#include "motion/SimulationMotion.h"

#include <string>
#include <vector>

struct ViewedSimulation
{
    std::string name;
    std::vector<std::string> sectionSpeeds;
    SimulationMotion motion;
};
