// The page's choice that plays its simulations together on one clock, each
// from its own start, with the meetings of their parts (analysis/Meetings.h)
// listed beside the drawing and drawn in a warning colour while they last.
#pragma once

#include "analysis/Meetings.h"
#include "view/ViewedSimulation.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

struct TogetherView
{
    // One per simulation of the page, in its order: when it starts on the
    // shared clock.
    std::vector<double> starts;
    // Found with the page's simulations in that order.
    MeetingReport meetings;
};

// For the page's scene: the choice's name, the list's heading, the starts, how long the shared
// clock runs, and each meeting with its two parts (the simulation's index
// in the page, the section, the segment and the part's index among those
// the segment packs), its first, last and closest moments, the closest
// points and the texts the list shows. unitName names a drawing unit.
[[nodiscard]] nlohmann::json TogetherJson(const std::vector<ViewedSimulation>& sims, const TogetherView& together,
                                          const std::string& unitName);
