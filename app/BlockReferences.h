// The block references of the working drawing, found by their handles.
#pragma once

#include "host/AcDbHandle.h"

#include <optional>
#include <string>

class AcDbBlockReference;

// Open for read, for the caller to close; null when the handle names no
// block reference.
AcDbBlockReference* OpenBlockReference(const AcDbHandle& handle);
// The name of the block definition that the reference shows, in UTF-8; none
// when the handle names no block reference, or its definition is gone.
std::optional<std::string> DefinitionName(const AcDbHandle& handle);
