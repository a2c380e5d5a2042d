// A DXF drawing into the working drawing: its line types, layers and text
// styles go into the drawing's tables (a name the drawing has already keeps
// the drawing's record); its block definitions become block definitions
// (entities moved so that the block's base point is the definition's
// origin); its model space's entities are appended to model space. Every
// entity keeps its layer, colour, line type, line type scale, line weight
// and visibility.
//
// A DXF block whose name the drawing already uses comes in under the first
// free name of "NAME (2)", "NAME (3)"..., and its references with it.
//
// Units: a new drawing takes the DXF's insertion units. Into a drawing whose
// units differ from the DXF's, what comes in is scaled by the ratio of the
// two, so that a plan in millimetres lands at its size in a drawing in
// metres; when either has no units nothing is scaled.
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

struct ImportedEntity
{
    // As the DXF gives it (empty when it gives none), and as the drawing has it.
    std::string dxfHandle;
    std::string handle;
    // Its DXF type (LINE, INSERT...).
    std::string type;
    // "model space", or the block definition that holds it.
    std::string in;
    // The block a reference shows; empty for other entities.
    std::string block;
};

struct DxfImport
{
    std::size_t blocks = 0;
    // In the order the DXF gives them, block definitions first.
    std::vector<ImportedEntity> entities;
    // DXF blocks whose name the drawing already used, and the name each got.
    std::vector<std::pair<std::string, std::string>> renamed;
    // The drawing's insertion units after the import, and the factor what
    // came in was scaled by.
    int units = 0;
    double scale = 1.0;
};

// Needs CheckDxfImport(dxf) to have passed. newDrawing: the working drawing
// was made for the import and takes the DXF's units. A host that refuses a
// change, which a checked DXF does not cause, is a Failure (internal): the
// drawing must then not be saved.
DxfImport ImportDxf(const DxfDrawing& dxf, bool newDrawing);
