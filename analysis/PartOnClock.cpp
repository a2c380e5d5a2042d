#include "analysis/PartOnClock.h"

#include "motion/Sampling.h"
#include "motion/Timing.h"

#include <algorithm>

PartOnClock::PartOnClock(const PartKey& key, const SegmentMotion& segment, const PlacedFootprint& footprint,
                         double start, double from, double to, double tolerance)
    : m_key(key), m_segment(&segment), m_footprint(footprint), m_start(start), m_from(from), m_to(to)
{
    // Waiting at its first place, and standing at its last, it is sampled
    // where it comes and goes.
    m_times.push_back(from);
    for (const MotionSample& sample : SamplesOf(segment, {tolerance, Reach({footprint})}))
        if (start + sample.time > from && start + sample.time < to)
            m_times.push_back(start + sample.time);
    if (to > from)
        m_times.push_back(to);
}

Affine2 PartOnClock::PlaceAt(double t) const
{
    return SegmentPlacementAt(*m_segment, t - m_start).PlaceAtOffset(m_footprint.offset);
}

PartPlace PartOnClock::PositionAt(double t) const
{
    const Step step = StepAt(m_segment->times, t - m_start);
    return {step.index, step.fraction, m_key.section};
}

Bounds PartOnClock::BoxAt(double t) const
{
    const Affine2 place = PlaceAt(t);
    const Bounds& f = Shape().box;
    Bounds box;
    for (const auto& [x, y] : {std::pair{f.minX, f.minY}, {f.maxX, f.minY}, {f.minX, f.maxY}, {f.maxX, f.maxY}})
    {
        double px = 0.0;
        double py = 0.0;
        place.Apply(x, y, px, py);
        box.Add(px, py);
    }
    return box;
}

std::vector<PartRun> PartOnClock::Runs(std::size_t samplesPerRun, double tolerance) const
{
    std::vector<PartRun> runs;
    std::size_t first = 0;
    std::size_t last = 0;
    do
    {
        last = std::min(first + samplesPerRun, m_times.size() - 1);
        Bounds box;
        for (std::size_t i = first; i <= last; ++i)
        {
            const Bounds at = BoxAt(m_times[i]);
            box.Add(at.minX, at.minY);
            box.Add(at.maxX, at.maxY);
        }
        // Between two samples no point moves the tolerance.
        runs.push_back({{box.minX - tolerance, box.minY - tolerance, box.maxX + tolerance, box.maxY + tolerance},
                        m_times[first],
                        m_times[last]});
        first = last;
    } while (last + 1 < m_times.size());
    return runs;
}
