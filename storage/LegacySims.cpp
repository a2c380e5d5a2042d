// The binding to the legacy module's exports does not exist yet, so no
// legacy simulation is found: as when that module is not loaded.
#include "storage/LegacySims.h"

CPmAcadSim200* ConvertLegacySim(const CString&)
{
    return nullptr;
}

bool StoredLegacySimId(const AcDbObject*, unsigned __int64&)
{
    return false;
}
