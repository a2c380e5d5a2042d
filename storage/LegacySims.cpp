#include "storage/LegacySims.h"

#include "host/legacy101/CPmAcadSim.h"
#include "storage/CPmAcadSim200.h"
#include "storage/LegacyModule.h"

// The legacy module's copy is only read, and freed once converted.
CPmAcadSim200* ConvertLegacySim(const CString& name)
{
    CPmSim* legacy = LegacyModule::LoadSim(name);
    if (legacy == nullptr)
        return nullptr;
    CPmAcadSim200* converted = nullptr;
    if (LegacyModule::IsStoredSim(*legacy))
    {
        converted = new CPmAcadSim200(*legacy);
        converted->SetName(name);
    }
    delete legacy;
    return converted;
}

bool StoredLegacySimId(const AcDbObject* entry, unsigned __int64& id)
{
    if (entry == nullptr || !LegacyModule::IsStoredSim(*entry))
        return false;
    id = static_cast<const CPmAcadSim*>(entry)->Id();
    return true;
}
