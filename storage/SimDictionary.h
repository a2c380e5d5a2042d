// The dictionary under the drawing's named objects that holds every stored
// simulation, keyed by its name.
#pragma once

#include "host/WinTypes.h"

constexpr const ACHAR* kSimDictionary = ACRX_T("ZN_SIM");
