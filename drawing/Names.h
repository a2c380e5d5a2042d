// Names and handles as znsim and its files show them: UTF-8 text.
#pragma once

#include "host/AcDbHandle.h"
#include "host/AcDbObjectId.h"

#include <optional>
#include <string>

// Upper-case hexadecimal without leading zeros ("1F"), as the host shows a
// handle.
[[nodiscard]] std::string HandleText(const AcDbHandle& handle);
// The name of the block definition of that id; none when it cannot be
// opened.
[[nodiscard]] std::optional<std::string> BlockName(AcDbObjectId definition);
