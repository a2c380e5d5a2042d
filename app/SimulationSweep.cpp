#include "app/SimulationSweep.h"

#include "analysis/Geos.h"
#include "analysis/SimulationReferences.h"
#include "app/ExitStatus.h"

SweepReport SweepForCommand(const std::string& file, const std::string& name, const CPmSim200& sim,
                            const SimulationMotion& motion, const SweepOptions& options)
{
    try
    {
        return SweepSimulation(motion, ReferencesOf(sim), options);
    }
    catch (const SweepRefused& refused)
    {
        throw CommandFailure(ExitStatus::badInput, file + ": \"" + name + "\": " + refused.what());
    }
    catch (const GeosError& failed)
    {
        throw CommandFailure(ExitStatus::failure, file + ": \"" + name + "\": " + failed.what());
    }
}
