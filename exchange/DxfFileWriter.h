// Writes a DxfDrawing as a DXF file through dxflib's writer. The file is DXF
// R2000 (AC1015): the oldest version with the OBJECTS section that carries
// the simulations' records and with LWPOLYLINE, and one that every CAD
// program in use reads (docs/dxf.md says more). Every table record and
// object names its owner, and the handle seed is above every handle.
#pragma once

#include "exchange/DxfDrawing.h"

#include <string>

// Writes drawing to path as drawing/OutputFile.h replaces a file: a reader
// sees the old file or the whole new one, and a failure (Failure, io)
// leaves the old file as it was.
void WriteDxfFile(const std::string& path, const DxfDrawing& drawing);

// The same DXF text, for callers that keep it in memory.
[[nodiscard]] std::string DxfFileText(const DxfDrawing& drawing);
