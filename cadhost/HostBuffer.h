// Text buffers that the host hands to callers (the text a filer reads, a
// dictionary entry's name). Callers give them back with acutDelBuffer; the
// host's own readers of filed text do so through readFiledText.
#pragma once

#include "host/WinTypes.h"

#include <string>
#include <string_view>

class AcDbDwgFiler;

namespace cadhost
{
// A zero-terminated copy of text on the host's heap.
ACHAR* newHostBuffer(std::wstring_view text);

// The next text of the filer, its buffer given back to the host.
std::wstring readFiledText(AcDbDwgFiler& filer);
} // namespace cadhost
