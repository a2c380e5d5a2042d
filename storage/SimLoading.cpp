// The factory's loading and giving back of simulations: in-memory copies of
// stored simulations by name, and their return.
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/LegacySims.h"

namespace
{
// A copy of the converted simulation, marked so that Save refuses it until it
// is upgraded; the converted object in between belongs to no drawing and is
// freed.
CPmSim200* loadLegacySim(const CString& name)
{
    CPmAcadSim200* converted = ConvertLegacySim(name);
    if (converted == nullptr)
        return nullptr;
    converted->SetIsCurVersion(false);
    CPmSim200* copy = CPmDbxFactory200::CopySim(*converted);
    delete converted;
    return copy;
}
} // namespace

CPmSim200* CPmDbxFactory200::LoadSim(const CString& name)
{
    CPmSim200* stored = CPmAcadSim200::Load(name);
    if (stored == nullptr)
        return loadLegacySim(name);
    CPmSim200* copy = CopySim(*stored);
    stored->Close();
    return copy;
}

// A simulation in no drawing is the caller's and is freed; a stored one is
// the drawing's, so only its open (if any) is ended, its changes dropped.
void CPmDbxFactory200::DeleteSim(CPmSim200* sim)
{
    if (sim == nullptr)
        return;
    auto* object = dynamic_cast<CPmAcadSim200*>(sim);
    if (object != nullptr && !object->objectId().isNull())
        object->cancel();
    else
        delete sim;
}

int CPmDbxFactory200::DeleteSim(const CString& name)
{
    CPmSim200* sim = LoadSim(name);
    if (sim == nullptr)
        return 0;
    const bool inUse = sim->SimInUse() != 0;
    if (!inUse)
        sim->Delete();
    DeleteSim(sim);
    return inUse ? 2 : 1;
}
