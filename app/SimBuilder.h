// Builds a simulation from its description the way a caller of the module
// does: every piece from the factories, each part's block copied from a
// reference to a private copy of the definition that the named block
// reference shows (app/PrivateDefinition.h), which places a hidden
// reference in model space, and the whole stored under its name. A name that is stored already, or a handle that names no block
// reference, is refused before anything is built.
#pragma once

#include "app/SimDescription.h"

#include <string>

// drawingFile and descriptionFile only name the two in messages.
void StoreSimulation(const SimDescription& description, const std::string& drawingFile,
                     const std::string& descriptionFile);
