// Storing simulations of the previous release again as this release's, and
// clearing a drawing of simulations.
#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"
#include "storage/CleanSims.h"
#include "storage/LegacySims.h"
#include "storage/SimDictionary.h"

#include <memory>

// The converted simulation takes the legacy entry's place under the same
// name. When it cannot be stored it belongs to no drawing and is freed.
void CPmDbxFactory200::UpgradeSim(const CString& name)
{
    if (CPmSim200* stored = CPmAcadSim200::Load(name))
    {
        stored->Close();
        return;
    }
    CPmAcadSim200* converted = ConvertLegacySim(name);
    if (converted == nullptr)
        return;
    converted->SetIsCurVersion(true);
    if (CIvAcadObject::Save(kSimDictionary, name, converted) != Acad::eOk)
        DeleteSim(converted);
}

void CleanSims()
{
    const std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
    if (list == nullptr)
        return;
    for (int i = 0; i < list->Size(); ++i)
        if (CPmSim200* sim = list->Sim(i))
            sim->Delete();
}
