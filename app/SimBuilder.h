// Builds a simulation from its description the way a caller of the module
// does: every piece from the factories, each part's block copied from an
// existing block reference of the working drawing (which places a hidden
// copy of that reference in model space), and the whole stored under its
// name. A name that is stored already, or a handle that names no block
// reference, is refused before anything is built.
#pragma once

#include "app/SimDescription.h"

#include <string>

// drawingFile and descriptionFile only name the two in messages.
void StoreSimulation(const SimDescription& description, const std::string& drawingFile,
                     const std::string& descriptionFile);
