// One part of a simulation played on a clock shared with others: where it
// stands at any moment of that clock, the moments it is sampled at, and the
// boxes it stays in over runs of those samples. A part is there while its
// section plays; the first section's parts wait at their first places until
// their simulation starts, and the last section's stay at their last places
// once it has ended, as the page shows them.
#pragma once

#include "analysis/Footprints.h"
#include "motion/Bounds.h"
#include "motion/SimulationMotion.h"

#include <cstddef>
#include <vector>

// Which part: its simulation among those played, its section and segment,
// and its place in the segment's part tree (depth first), from 0.
struct PartKey
{
    std::size_t simulation = 0;
    std::size_t section = 0;
    std::size_t segment = 0;
    std::size_t part = 0;
};

// Where a part's simulation is at a moment: the position reached in the
// part's segment, the fraction of the way to the next, and the section
// playing.
struct PartPlace
{
    std::size_t position = 0;
    double fraction = 0.0;
    std::size_t section = 0;
};

// Samples of a part over which it stays within a box.
struct PartRun
{
    Bounds box;
    double from = 0.0;
    double to = 0.0;
};

class PartOnClock
{
public:
    // The part placed by footprint in segment, its simulation starting at
    // start on the shared clock, there from `from` to `to`; sampled so that
    // no point of its footprint moves tolerance or more from one sample to
    // the next.
    PartOnClock(const PartKey& key, const SegmentMotion& segment, const PlacedFootprint& footprint, double start,
                double from, double to, double tolerance);

    const PartKey& Key() const { return m_key; }
    const Footprint& Shape() const { return *m_footprint.footprint; }
    // When it is there, on the shared clock.
    double From() const { return m_from; }
    double To() const { return m_to; }
    // Its sample moments, first From(), last To().
    const std::vector<double>& Times() const { return m_times; }

    // Where it draws its footprint at moment t (From() <= t <= To()).
    [[nodiscard]] Affine2 PlaceAt(double t) const;
    [[nodiscard]] PartPlace PositionAt(double t) const;
    // Runs of samplesPerRun steps, each with the box its footprint stays in
    // from the run's first sample to its last, every point of its way in
    // between included; neighbouring runs share their end sample.
    [[nodiscard]] std::vector<PartRun> Runs(std::size_t samplesPerRun, double tolerance) const;

private:
    Bounds BoxAt(double t) const;

    PartKey m_key;
    const SegmentMotion* m_segment;
    PlacedFootprint m_footprint;
    double m_start;
    double m_from;
    double m_to;
    std::vector<double> m_times;
};
