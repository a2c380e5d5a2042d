// What the page carries: the drawing, the simulations' structure and texts
// as JSON, and each simulation's motion as motion/ packs it
// (motion/PackedMotion.h), its floats base64-encoded. The page plays those
// numbers as they are, so it holds no rule of motion of its own.
#pragma once

#include "view/DrawingPicture.h"
#include "view/MeetingLayer.h"
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

// unitName says what a drawing unit stands for, as the page shows it. With
// together, the page also offers sims played together, and their meetings.
PageData PackPage(DrawingPicture& picture, const std::vector<ViewedSimulation>& sims,
                  const std::string& unitName, const TogetherView* together = nullptr);
