// Where parts of simulations played together meet, marked in a DXF drawing
// for a person to find: on a layer of its own, per meeting the line between
// the two parts' closest points and a circle about its middle.
#pragma once

#include "exchange/DxfDrawing.h"

#include <vector>

constexpr const char* kMeetingLayer = "Meetings";

// The closest points of a meeting's two parts, in drawing coordinates.
struct MeetingMarker
{
    double ax = 0.0;
    double ay = 0.0;
    double bx = 0.0;
    double by = 0.0;
};

// Adds the layer and, per marker, its line and its circle of radius.
void AddMeetingMarkers(DxfDrawing& dxf, const std::vector<MeetingMarker>& markers, double radius);
