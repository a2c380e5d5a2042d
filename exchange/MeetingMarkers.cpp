#include "exchange/MeetingMarkers.h"

#include "exchange/DrawingToDxf.h"

namespace
{
// Magenta: neither the paths' red, the parts' blue nor the envelopes' green
// and orange.
constexpr int kMeetingColour = 6;
} // namespace

void AddMeetingMarkers(DxfDrawing& dxf, const std::vector<MeetingMarker>& markers, double radius)
{
    AddLayer(dxf, kMeetingLayer, kMeetingColour);
    for (const MeetingMarker& marker : markers)
    {
        const DxfPoint a{marker.ax, marker.ay, 0.0};
        const DxfPoint b{marker.bx, marker.by, 0.0};
        dxf.modelSpace.push_back(OnLayer(DxfLine{a, b}, kMeetingLayer));
        const DxfPoint middle{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0, 0.0};
        dxf.modelSpace.push_back(OnLayer(DxfCircle{middle, radius}, kMeetingLayer));
    }
}
