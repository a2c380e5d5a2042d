// The block references a simulation's parts are drawn with: its own, which
// move with it and so are never in its way.
#pragma once

#include "host/AcDbHandle.h"

#include <vector>

class CPmSim200;

[[nodiscard]] std::vector<AcDbHandle> ReferencesOf(const CPmSim200& sim);
