// One moment of a simulation as an SVG picture for reports: the drawing
// from above, the simulation's paths, its parts where they stand at that
// time, and a caption saying what the page's status line would.
#pragma once

#include "view/DrawingPicture.h"
#include "view/ViewedSimulation.h"

#include <string>

std::string SvgStill(DrawingPicture& picture, const ViewedSimulation& sim, double seconds);
