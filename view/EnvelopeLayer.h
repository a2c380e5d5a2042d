// The swept envelope, its clearance outline and the wheel tracks (what the
// tyres alone sweep) as the page and the still draw them: shaded under the
// moving parts, holes left open (even-odd), the tracks in a colour of their
// own over the envelope.
#pragma once

#include "analysis/Sweep.h"
#include "motion/Bounds.h"

#include <nlohmann/json.hpp>

#include <string>

// SVG paths in drawing coordinates: the clearance outline, the envelope over
// it, then the wheel tracks. Empty when the sweep holds none.
std::string EnvelopeSvg(const SweepReport& sweep);
// For the page: {"envelope": [ring, ...], "clearance": [ring, ...],
// "wheels": [ring, ...]}, each ring x0, y0, x1, y1, ...; null when the
// simulation was not swept.
nlohmann::json EnvelopeJson(const SweepReport* sweep);
// Widens bounds to hold what EnvelopeSvg draws.
void AddEnvelope(Bounds& bounds, const SweepReport& sweep);
