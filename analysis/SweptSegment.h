// One segment's run as a sweep sees it: its parts with footprints, the
// samples along its run, and the hulls that cover each step from one
// sample to the next.
#pragma once

#include "analysis/Footprints.h"
#include "analysis/Geos.h"
#include "motion/Bounds.h"
#include "motion/Sampling.h"

#include <cstddef>
#include <vector>

class SweptSegment
{
public:
    SweptSegment(std::size_t section, std::size_t segment, std::vector<PlacedFootprint> parts,
                 std::vector<MotionSample> samples);

    std::size_t Section() const { return m_section; }
    std::size_t Segment() const { return m_segment; }
    const std::vector<MotionSample>& Samples() const { return m_samples; }
    // Steps from one sample to the next; a run of one sample is one step
    // that stays put, and a segment with nothing to sweep has none.
    std::size_t Steps() const;
    // The samples a step goes from and to.
    std::size_t From(std::size_t step) const { return step; }
    std::size_t To(std::size_t step) const { return m_samples.size() > 1 ? step + 1 : step; }

    // The hulls covering the parts' move from sample from to sample to.
    std::vector<Geometry> Hulls(const GeosContext& geos, std::size_t from, std::size_t to) const;
    // A box holding those hulls.
    Bounds Covered(std::size_t from, std::size_t to) const;
    // The union of every step's hulls, to within tolerance. Runs of
    // samples along which every part moves nearly in a straight line and
    // nearly without turning are covered by one hull per piece, from the
    // run's first sample to its last (see Strides).
    Geometry Area(const GeosContext& geos, double tolerance) const;
    // The samples that start and end those runs, first to last: a run goes
    // on while no point of a footprint strays tolerance / 2 from the chord
    // between its places at the run's ends, and the turn over the run moves
    // none of them tolerance / 2 about the frame.
    std::vector<std::size_t> Strides(double tolerance) const;

private:
    Affine2 PartPlace(const PlacedFootprint& part, std::size_t sample) const;
    // Each part's box corners placed at sample: x, y of 4 corners a part.
    std::vector<double> Corners(std::size_t sample) const;
    bool Straight(const std::vector<std::vector<double>>& corners, double tolerance) const;

    std::size_t m_section;
    std::size_t m_segment;
    std::vector<PlacedFootprint> m_parts;
    std::vector<MotionSample> m_samples;
};
