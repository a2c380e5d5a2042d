// What the drawing says about simulations' identifiers. An identifier is
// read as a handle of the working drawing: a simulation is tied to the
// block reference whose handle it carries.
#pragma once

#include "host/CString.h"
#include "host/WinTypes.h"

#include <vector>

// True when id names an object of the working drawing that is not a live
// block reference (an erased one, or another kind of object). Identifier 0
// and handles that name nothing are no broken tie.
bool HasBrokenBlockTie(unsigned __int64 id);

// The keys of the stored simulations, other than name itself (letter case
// counts), that carry id and would be listed by a list loaded without
// loadAll: simulations the factory can load, whose tie is not broken. Reads
// only each entry's identifier; nothing is copied and the drawing is not
// changed. In the dictionary's order.
std::vector<CString> OtherStoredSimsWithId(const CString& name, unsigned __int64 id);
