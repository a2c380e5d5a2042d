// Who meets whom, and when: the parts of several simulations played
// together on one clock, each from its own start, that come within a
// clearance D of each other at the same moment.
//
// Pairs: parts of different simulations; and, within one simulation, parts
// of different segments of the section playing (the parts of one segment
// move as one body, and sections play one after another). Two parts of one
// simulation that move as one body are passed over; two that turn about a
// hitch (a tractor and its semi-trailer) meet only where they touch away
// from their coupling: outside a circle about the hitch that holds where
// they overlap when lined up straight. That is a jackknife, and the
// clearance does not apply to it.
//
// Each section draws its parts with blocks of its own. A part that plays on
// into the next section, standing where it left off, is the same body, so
// a meeting that runs on across the boundary is one meeting.
//
// Nothing is missed between samples: each part is sampled as a sweep
// samples it, so that no point of its footprint moves the tolerance T or
// more from one sample to the next, and each pair is compared at the
// samples of both. Whenever two parts come within D - T of each other, at
// one of those samples they are within D, and the meeting is found. Its
// first and last moments are then found to within a microsecond between
// the samples that bracket them, and its closest approach between the
// samples beside the closest one.
//
// Not every pair is compared at every sample: each part's run of samples
// gets a box in place and time, and only pairs whose boxes come within D
// of each other, at overlapping times, are compared there.
#pragma once

#include "analysis/PartOnClock.h"

#include <string>
#include <vector>

struct PlayedSimulation
{
    std::string name;
    SimulationMotion motion;
    // When it starts on the shared clock, in seconds.
    double start = 0.0;
};

// First and last moments are found to within this many seconds.
constexpr double kMomentPrecision = 1e-6;

struct MeetingOptions
{
    // 0 or more.
    double clearance = 0.0;
    // 0 takes 1% of the largest footprint's size, as a sweep does.
    double tolerance = 0.0;
};

// A moment on the shared clock, and where each part's simulation is then.
struct MeetingMoment
{
    double time = 0.0;
    PartPlace a;
    PartPlace b;
};

struct Meeting
{
    // The parts at the first moment; the last moment's places say in which
    // section each is at the end.
    PartKey a;
    PartKey b;
    // Units of one simulation that turn about a hitch: a jackknife.
    bool hitched = false;
    MeetingMoment first;
    MeetingMoment last;
    // The smallest distance reached, when, and the closest point of each
    // part then (x, y).
    double distance = 0.0;
    MeetingMoment closest;
    double ax = 0.0;
    double ay = 0.0;
    double bx = 0.0;
    double by = 0.0;
};

struct MeetingReport
{
    double tolerance = 0.0;
    double clearance = 0.0;
    // By first moment, then by the parts.
    std::vector<Meeting> meetings;
    // How much was compared: parts, pairs that the boxes let through, and
    // distances measured.
    std::size_t parts = 0;
    std::size_t pairs = 0;
    std::size_t distances = 0;
};

// Throws a Failure: badInput when a simulation cannot be timed (its
// problem named), internal when the geometry library fails.
[[nodiscard]] MeetingReport FindMeetings(const std::vector<PlayedSimulation>& sims, const MeetingOptions& options);
