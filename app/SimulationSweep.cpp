#include "app/SimulationSweep.h"

#include "drawing/Failure.h"
#include "motion/SimulationReferences.h"

SweepReport SweepForCommand(const std::string& file, const std::string& name, const CPmSim200& sim,
                            const SimulationMotion& motion, const SweepOptions& options)
{
    try
    {
        SweepOptions withTraces = options;
        withTraces.traces = TracesOf(sim);
        return SweepSimulation(motion, ReferencesOf(sim), withTraces);
    }
    catch (const Failure& failure)
    {
        throw failure.In(file + ": \"" + name + "\"");
    }
}
