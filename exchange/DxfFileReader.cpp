#include "exchange/DxfFileReader.h"

#include "exchange/DxfEvents.h"
#include "exchange/DxfTagWatch.h"

#include <dxflib/dl_dxf.h>

#include <istream>

std::string ReadDxf(std::string_view text, DxfDrawing& drawing)
{
    if (text.empty())
        return "line 1: not a DXF file: it is empty";
    DxfTagWatch watch(text);
    std::istream stream(&watch);
    DxfDrawing read;
    DxfEvents events(watch, read);
    DL_Dxf dxf;
    dxf.in(stream, &events);
    if (!watch.Problem().empty())
        return watch.Problem();
    if (!watch.SawEnd())
        return "line " + std::to_string(watch.Line()) + ": the DXF is cut short: it ends before its EOF";
    for (const auto& [type, count] : watch.Unread())
        read.skipped[type] += count;
    read.version = watch.Version();
    drawing = std::move(read);
    return {};
}
