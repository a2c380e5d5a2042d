// What a simulation sweeps: per segment, the area its part tree covers
// over the whole run (its envelope), the union over all segments, each also
// grown by a clearance, and the entities of model space that the grown
// envelope touches or contains (conflicts), with where along the run a part
// first and last touches each.
//
// Parts stand where motion/ places them. Between two positions the sweep
// samples as motion/ does, closely enough that no point of a footprint
// moves the tolerance or more from one sample to the next, and covers each
// step with the convex hulls of each convex piece of each footprint at both
// ends. The envelope is the union of those hulls, made by GEOS.
#pragma once

#include "analysis/Envelope.h"
#include "analysis/Obstacles.h"
#include "host/AcDbHandle.h"
#include "motion/SimulationMotion.h"

#include <cstddef>
#include <string>
#include <vector>

struct SweepOptions
{
    SweepOptions(double clearanceAsked = 0.0, double toleranceAsked = 0.0)
        : clearance(clearanceAsked), tolerance(toleranceAsked)
    {
    }

    // How far the clearance envelope lies outside the envelope; 0 or more.
    double clearance = 0.0;
    // The most a footprint point moves between samples, the width of a
    // line's strip and the most a circle's chords stray; 0 takes 1% of the
    // largest footprint's size (the longer side of its box).
    double tolerance = 0.0;
    // Which layers' entities the parts may run into.
    ObstacleLayers obstacles;
    // Sweeps each part's tyres alone (the entities of its block on
    // kTyreLayer) rather than all it draws: road edges are checked against
    // the wheels, walls against the body.
    bool wheels = false;
    // Also sweeps the tyres alone for SweepReport::wheelTracks.
    bool wheelTracks = false;
    // The lines the simulation's positions trace (x0, y0, x1, y1, ...), in
    // drawing units: an entity lying along them, to within the tolerance,
    // is its path as drawn and no conflict (analysis/DrawnPaths.h).
    std::vector<std::vector<double>> traces;
};

// A sample along the run: a section and segment (from 0), the position
// reached (from 0) and the fraction of the way to the next.
struct SweepPoint
{
    std::size_t section = 0;
    std::size_t segment = 0;
    std::size_t position = 0;
    double fraction = 0.0;
};

struct Conflict
{
    AcDbHandle handle;
    std::string className;
    std::string blockName;
    // The layer the entity is on.
    std::string layer;
    SweepPoint first;
    SweepPoint last;
};

// An entity passed over as the path the simulation is driven along.
struct DrawnPath
{
    AcDbHandle handle;
    std::string className;
    std::string layer;
};

struct SegmentSweep
{
    std::size_t section = 0;
    std::size_t segment = 0;
    std::size_t samples = 0;
    Envelope envelope;
    // Empty when the clearance is 0.
    Envelope clearance;
};

struct SweepReport
{
    double tolerance = 0.0;
    double clearance = 0.0;
    std::vector<SegmentSweep> segments;
    Envelope envelope;
    Envelope clearanceEnvelope;
    // What the parts' tyres alone cover, when asked for; empty when no part
    // has any.
    Envelope wheelTracks;
    // In the order of model space.
    std::vector<Conflict> conflicts;
    std::vector<DrawnPath> drawnPaths;
};

// More samples than this in one simulation are refused: the tolerance asked
// is too fine for the run.
constexpr std::size_t kMostSweepSamples = 20000000;

// Sweeps motion in the working drawing; ownReferences are the simulation's
// own block references, which are never conflicts. The default tolerance is
// a share of the whole parts' size, also when only their wheels are swept.
// Throws a Failure: badInput when the samples would pass kMostSweepSamples,
// notFound when the wheels are asked for and no part has tyres, internal
// when the geometry library fails.
[[nodiscard]] SweepReport SweepSimulation(const SimulationMotion& motion, const std::vector<AcDbHandle>& ownReferences,
                                          const SweepOptions& options);
