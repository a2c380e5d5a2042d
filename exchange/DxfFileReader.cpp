#include "exchange/DxfFileReader.h"

#include "drawing/Failure.h"
#include "exchange/DxfEvents.h"
#include "exchange/DxfTagWatch.h"

#include <dxflib/dl_dxf.h>

#include <istream>

namespace
{
[[noreturn]] void Fail(const std::string& problem)
{
    throw Failure(FailureKind::badInput, problem);
}
} // namespace

DxfDrawing ReadDxf(std::string_view text)
{
    if (text.empty())
        Fail("line 1: not a DXF file: it is empty");
    DxfTagWatch watch(text);
    std::istream stream(&watch);
    DxfDrawing read;
    DxfEvents events(watch, read);
    DL_Dxf dxf;
    dxf.in(stream, &events);
    if (!watch.Problem().empty())
        Fail(watch.Problem());
    if (!watch.SawEnd())
        Fail("line " + std::to_string(watch.Line()) + ": the DXF is cut short: it ends before its EOF");
    for (const auto& [type, count] : watch.Unread())
        read.skipped[type] += count;
    read.version = watch.Version();
    return read;
}
