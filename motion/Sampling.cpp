#include "motion/Sampling.h"

#include <algorithm>
#include <cmath>

double Turn(const Placement& from, const Placement& to)
{
    const Rotation& p = from.rotation;
    const Rotation& q = to.rotation;
    return 2.0 * std::acos(std::min(1.0, std::abs(p.w * q.w + p.x * q.x + p.y * q.y + p.z * q.z)));
}

namespace
{
// Samples from one position to the next, the first of them at the position.
std::size_t StepSamples(const Placement& from, const Placement& to, const SampleSpacing& spacing)
{
    const double turn = Turn(from, to);
    const double moved = std::hypot(to.point.x - from.point.x, to.point.y - from.point.y, to.point.z - from.point.z);
    const double steps =
        std::max(std::ceil((moved + turn * spacing.reach) / spacing.move), std::ceil(turn / spacing.turn));
    return steps >= 1.0 ? static_cast<std::size_t>(std::min(steps, 1e15)) : 1;
}
} // namespace

std::size_t SampleCount(const SegmentMotion& segment, const SampleSpacing& spacing)
{
    const std::vector<Placement>& placements = segment.placements;
    if (placements.empty())
        return 0;
    std::size_t count = 1;
    for (std::size_t i = 0; i + 1 < placements.size(); ++i)
        count += StepSamples(placements[i], placements[i + 1], spacing);
    return count;
}

std::vector<MotionSample> SamplesOf(const SegmentMotion& segment, const SampleSpacing& spacing)
{
    const std::vector<Placement>& placements = segment.placements;
    std::vector<MotionSample> samples;
    samples.reserve(SampleCount(segment, spacing));
    for (std::size_t i = 0; i + 1 < placements.size(); ++i)
    {
        const std::size_t steps = StepSamples(placements[i], placements[i + 1], spacing);
        const double t0 = segment.times[i];
        const double t1 = segment.times[i + 1];
        for (std::size_t k = 0; k < steps; ++k)
        {
            const double f = static_cast<double>(k) / static_cast<double>(steps);
            samples.push_back({Sample(placements[i], placements[i + 1], f), i, f, t0 + f * (t1 - t0)});
        }
    }
    if (!placements.empty())
        samples.push_back({placements.back(), placements.size() - 1, 0.0, segment.times.back()});
    return samples;
}
