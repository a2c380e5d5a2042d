// What the stand-in host lets tests and tools see of its inner state: the
// mistakes the real host punishes (objects left open, database objects never
// freed, reads or writes of objects not open for them) are counted here
// instead of crashing the process.
#pragma once

#include "host/WinTypes.h"

#include <string>
#include <vector>

namespace cadhost
{
// Database objects allocated through the host's heap operators and not yet
// freed, over the whole process.
long liveDatabaseObjects();

// Objects that were still open when their database was destroyed, summed
// over every database destroyed since the last reset.
long objectsLeftOpen();

// One line per assertReadEnabled / assertWriteEnabled call made on an object
// not open in the needed mode, since the last reset.
std::vector<std::wstring> enablementViolations();

// Forgets the counts of objectsLeftOpen and enablementViolations.
void resetDiagnostics();

// Whether a module is loaded from fileName (either path separator), and
// whether it declared itself able to work with several drawings at once.
bool moduleIsLoaded(const ACHAR* fileName);
bool moduleIsMDIAware(const ACHAR* fileName);
} // namespace cadhost
