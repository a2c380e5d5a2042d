// The previous release's module, reached on first use. This module neither
// links nor needs it: each answer asks the host, by the service that module
// registers while it is loaded, for the export it needs at that moment. A
// module that was never loaded, or has been unloaded since, has no service,
// so nothing here calls into it or touches an object through it: no legacy
// simulation is found and no object is taken for a legacy one.
#pragma once

class AcDbObject;
class CPmSim;
class CString;
class CZnBlock;

namespace LegacyModule
{
// The previous release's copy of the simulation stored under name, owned by
// the caller and freed with delete; null when there is none or the module is
// not loaded.
CPmSim* LoadSim(const CString& name);

// Whether sim is exactly the previous release's stored simulation
// (CPmAcadSim), as that release's LoadSim hands them out; a static_cast may
// then reach it.
bool IsStoredSim(const CPmSim& sim);
// The same for an object of the drawing, as a stored entry is opened.
bool IsStoredSim(const AcDbObject& object);

// Whether block is exactly the previous release's block (CZnAcadBlock),
// which a static_cast may then reach.
bool IsBlock(const CZnBlock& block);
} // namespace LegacyModule
