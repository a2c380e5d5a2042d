// Where simulations of the previous release meet this module: they are
// stored in the same dictionary as objects of the legacy module's class, and
// read only through that module while it is loaded.
#pragma once

#include "host/CString.h"
#include "host/WinTypes.h"

class AcDbObject;
class CPmAcadSim200;

// A new simulation in no drawing, converted from the legacy simulation
// stored under name and named so; its current-version flag is the caller's
// to set. Null when there is none, or the legacy module is not loaded.
CPmAcadSim200* ConvertLegacySim(const CString& name);

// The identifier of entry, an object open for read, when it is a stored
// legacy simulation that the legacy module serves; false otherwise.
bool StoredLegacySimId(const AcDbObject* entry, unsigned __int64& id);
