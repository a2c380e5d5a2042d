// Clearing a drawing of simulations.
#include "storage/CleanSims.h"

#include "model/CPmSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"

#include <memory>

void CleanSims()
{
    const std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
    if (list == nullptr)
        return;
    for (int i = 0; i < list->Size(); ++i)
        if (CPmSim200* sim = list->Sim(i))
            sim->Delete();
}
