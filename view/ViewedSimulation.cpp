#include "view/ViewedSimulation.h"

std::string SectionStatus(const ViewedSimulation& sim, std::size_t section)
{
    return "section " + std::to_string(section + 1) + " of " + std::to_string(sim.motion.sections.size()) + " at " +
           sim.sectionSpeeds.at(section);
}
