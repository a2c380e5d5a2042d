// The swept envelope and its clearance outline as the page and the still
// draw them: shaded under the moving parts, holes left open (even-odd).
#pragma once

#include "analysis/Sweep.h"
#include "motion/Bounds.h"

#include <nlohmann/json.hpp>

#include <string>

// SVG paths in drawing coordinates: the clearance outline, then the
// envelope over it. Empty when the sweep holds neither.
std::string EnvelopeSvg(const SweepReport& sweep);
// For the page: {"envelope": [ring, ...], "clearance": [ring, ...]}, each
// ring x0, y0, x1, y1, ...; null when the simulation was not swept.
nlohmann::json EnvelopeJson(const SweepReport* sweep);
// Widens bounds to hold what EnvelopeSvg draws.
void AddEnvelope(Bounds& bounds, const SweepReport& sweep);
