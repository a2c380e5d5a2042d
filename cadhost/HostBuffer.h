// Text buffers that the host hands to callers (the text a filer reads, a
// dictionary entry's name). Callers give them back with acutDelBuffer.
#pragma once

#include "host/WinTypes.h"

#include <string_view>

namespace cadhost
{
// A zero-terminated copy of text on the host's heap.
ACHAR* newHostBuffer(std::wstring_view text);
} // namespace cadhost
