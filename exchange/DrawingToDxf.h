// The working drawing and its simulations, as a DXF drawing:
//  - its line types, layers and text styles, and its insertion units;
//  - every block definition with its entities, and model space's entities,
//    each with its layer, colour, line type, line type scale, line weight
//    and visibility;
//  - per simulation, on layers named after it: each segment's path as a
//    polyline through its positions' points ("NAME path"), its part tree at
//    the segment's first position as block references placed as motion/
//    places them ("NAME parts"), and its envelope's rings, when given, as
//    closed polylines ("NAME envelope", "NAME clearance", "NAME wheel
//    tracks");
//  - per simulation, an XRECORD under the dictionary kSimulationDictionary
//    of the root dictionary, keyed by its name (docs/dxf.md lists its tags).
#pragma once

#include "exchange/DxfDrawing.h"
#include "motion/Outline.h"

#include <map>
#include <string>
#include <vector>

class CPmSim200;

constexpr const char* kSimulationDictionary = "ZNSIM_SIMULATIONS";

// The layer names of a simulation: its name, with the characters that DXF
// forbids in a layer name (<>/\":;?*|=`) as '_', and then the role.
[[nodiscard]] std::string SimulationLayer(const std::string& simulation, const std::string& role);

// An entity of shape on layer, its other properties by layer.
[[nodiscard]] DxfEntity OnLayer(DxfShape shape, const std::string& layer);

// A layer of what export adds, of colour, unless the drawing has one of that
// name already.
void AddLayer(DxfDrawing& dxf, const std::string& name, int colour);

struct ExportedSimulation
{
    const CPmSim200* sim = nullptr;
    // Closed rings in drawing coordinates: what the simulation sweeps, that
    // grown by a clearance, and what its tyres sweep; each empty when none
    // was computed or its parts have no tyres.
    std::vector<OutlinePath> envelope;
    std::vector<OutlinePath> clearance;
    std::vector<OutlinePath> wheelTracks;
};

[[nodiscard]] DxfDrawing DrawingToDxf(const std::vector<ExportedSimulation>& simulations);
