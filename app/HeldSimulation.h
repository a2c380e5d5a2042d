// Simulations and lists that the module hands out, held until they go back:
// a simulation through the factory's DeleteSim (which frees one in no
// drawing and cancels the open of a stored one), a list by deleting it
// (which gives its simulations back the same way).
#pragma once

#include "model/CPmSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"

#include <memory>
#include <new>

struct SimulationRelease
{
    void operator()(CPmSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};

using HeldSimulation = std::unique_ptr<CPmSim200, SimulationRelease>;
using HeldSimulationList = std::unique_ptr<CPmSimList200>;

// The factories answer null only when memory runs out.
template <class T>
T* Made(T* made)
{
    if (made == nullptr)
        throw std::bad_alloc();
    return made;
}
