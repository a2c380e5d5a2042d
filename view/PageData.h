// What the page carries: the drawing, the simulations' structure and texts
// as JSON, and each simulation's positions packed as 32-bit floats, seven a
// position (time from the section's start; point less the segment's origin,
// x and y; rotation as w, x, y, z), base64-encoded: 28 bytes, about 37 as
// text. The origin keeps the floats' precision for paths far from zero.
#pragma once

#include "view/DrawingPicture.h"
#include "view/ViewedSimulation.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

struct PageData
{
    nlohmann::json scene;
    // One per simulation, in the order of scene["sims"].
    std::vector<std::string> positions;
};

constexpr int kFloatsPerPosition = 7;

// unitName says what a drawing unit stands for, as the page shows it.
PageData PackPage(DrawingPicture& picture, const std::vector<ViewedSimulation>& sims,
                  const std::string& unitName);
