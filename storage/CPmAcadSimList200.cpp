#include "storage/CPmAcadSimList200.h"

#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/SimDictionary.h"
#include "storage/SimIdentifiers.h"

namespace
{
// Stores a copy converted from a legacy simulation under its key, in place
// of the legacy entry. A failed store is not reported: the copy is listed
// as current all the same and stays in memory, the list's to free.
void storeAsCurrent(const CString& key, CPmSim200* sim)
{
    // Every simulation the factory hands out is a stored-simulation object.
    CIvAcadObject::Save(kSimDictionary, key, static_cast<CPmAcadSim200*>(sim));
    sim->SetIsCurVersion(true);
}
} // namespace

int CPmAcadSimList200::Load(bool loadAll, bool upgrade)
{
    int status = CIvAcadObject::GetObjectNames(kSimDictionary, &m_names);
    for (int i = 0; i < m_names.GetSize(); ++i)
    {
        const CString& key = m_names[i];
        CPmSim200* sim = CPmDbxFactory200::LoadSim(key);
        if (sim == nullptr)
        {
            --status;
            continue;
        }
        if (upgrade && !sim->IsCurVersion())
            storeAsCurrent(key, sim);
        // Given back through the factory: an upgraded copy may be stored by
        // now, and then it is the drawing's.
        if (!loadAll && HasBrokenBlockTie(sim->Id()))
        {
            CPmDbxFactory200::DeleteSim(sim);
            continue;
        }
        sim->SetName(key);
        m_sims.push_back(sim);
    }
    return status;
}
