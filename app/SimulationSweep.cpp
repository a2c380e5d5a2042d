#include "app/SimulationSweep.h"

#include "drawing/Failure.h"
#include "motion/SimulationReferences.h"

SweepReport SweepForCommand(const std::string& file, const std::string& name, const CPmSim200& sim,
                            const SimulationMotion& motion, const SweepOptions& options)
{
    try
    {
        return SweepSimulation(motion, ReferencesOf(sim), options);
    }
    catch (const Failure& failure)
    {
        throw failure.In(file + ": \"" + name + "\"");
    }
}
