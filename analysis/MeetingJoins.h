// Meetings that run on across a section boundary, joined. Each section
// draws its parts with blocks of its own; a part of the next section that
// is the same part of the same segment, standing where the last one left
// off, is the same body, and a meeting it goes on with is the same meeting.
#pragma once

#include "analysis/Meetings.h"

#include <vector>

// meetings in order of their first moments, found among parts; a part
// stands where another left off when every point of its footprint is
// within tolerance of that one's.
void JoinAcrossSections(const std::vector<PartOnClock>& parts, double tolerance, std::vector<Meeting>& meetings);
