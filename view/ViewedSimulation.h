// One simulation as the page and the still show it: its name and each
// section's speed as text in the unit it was given in (the caller's words),
// its motion, and what it sweeps.
#pragma once

#include "analysis/Sweep.h"
#include "motion/SimulationMotion.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct ViewedSimulation
{
    std::string name;
    std::vector<std::string> sectionSpeeds;
    SimulationMotion motion;
    // What it sweeps, when asked for: drawn shaded under its parts.
    std::optional<SweepReport> sweep;
};

// The page's status and the still's caption say of a section alike:
// "section 1 of 2 at 30 km/h" for the first of two (section counts from 0).
[[nodiscard]] std::string SectionStatus(const ViewedSimulation& sim, std::size_t section);
