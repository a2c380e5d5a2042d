// Reads DXF text into a DxfDrawing through dxflib. The whole text is read
// and checked before anything is handed back: on a problem, a Failure
// (badInput) says in one line what, naming the line of the DXF ("line 12:
// group code 10 has the value \"abc\", which is not a number").
//
// Problems: text that is not a DXF (empty, binary, or not starting with a
// section), a group code that is not a number, a value that does not parse
// for its code, a version other than R12 (AC1009) to 2018 (AC1032), a DXF
// cut short (no EOF), a line type that an entity or a layer names but the
// file does not define (beyond ByLayer, ByBlock and Continuous, which every
// drawing has), a spline whose knots go down or whose counts do not fit its
// degree, and a hatch boundary that does not close. Entities and attributes
// the drawing cannot hold are no problem: they are counted in
// drawing.skipped. A layer or a text style named but not defined is made,
// as CAD programs make it, and listed.
#pragma once

#include "exchange/DxfDrawing.h"

#include <string>
#include <string_view>

[[nodiscard]] DxfDrawing ReadDxf(std::string_view text);
