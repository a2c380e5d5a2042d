// A DXF drawing into the working drawing: its block definitions become
// block definitions (entities moved so that the block's base point is the
// definition's origin), and its model space's entities are appended to
// model space. Lines, circles, arcs, 2D polylines (bulges kept as bulges:
// each bent segment stays an exact arc) and block references (position,
// scale, rotation, visibility; nested ones inside definitions too) come in.
// Layers, colours and line types do not: the drawing has none.
//
// A DXF block whose name the drawing already uses comes in under the first
// free name of "NAME (2)", "NAME (3)"..., and its references with it.
//
// Check everything, then change anything: CheckDxfImport finds every reason
// the DXF cannot go into the drawing before ImportDxf touches it.
#pragma once

#include "exchange/DxfDrawing.h"

#include <string>
#include <utility>
#include <vector>

// Throws a Failure (badInput) unless dxf can go into the working drawing,
// in one line naming the line of the DXF: a block defined twice, or a
// reference to a block that neither the DXF nor the drawing defines.
void CheckDxfImport(const DxfDrawing& dxf);

struct ImportedReference
{
    // As the DXF gives it (empty when it gives none), and as the drawing has it.
    std::string dxfHandle;
    std::string handle;
    std::string block;
    // "model space", or the block definition that holds it.
    std::string in;
};

struct DxfImport
{
    std::size_t blocks = 0;
    std::size_t entities = 0;
    std::vector<ImportedReference> references;
    // DXF blocks whose name the drawing already used, and the name each got.
    std::vector<std::pair<std::string, std::string>> renamed;
};

// Needs CheckDxfImport(dxf) to have passed. A host that refuses a change,
// which a checked DXF does not cause, is a Failure (internal): the drawing
// must then not be saved.
DxfImport ImportDxf(const DxfDrawing& dxf);
