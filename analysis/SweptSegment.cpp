#include "analysis/SweptSegment.h"

#include <algorithm>
#include <iterator>

namespace
{
// Steps whose hulls are unioned together before the partial unions are:
// it keeps the hulls held at once, and so the memory, bounded on long runs.
constexpr std::size_t kStepsPerUnion = 4096;
// A run of samples covered by one hull checks each of its samples against
// its chord at each sample added: bounded, that stays linear in samples.
constexpr std::size_t kMostSamplesPerStride = 64;
} // namespace

SweptSegment::SweptSegment(std::size_t section, std::size_t segment, std::vector<PlacedFootprint> parts,
                           std::vector<MotionSample> samples)
    : m_section(section), m_segment(segment), m_parts(std::move(parts)), m_samples(std::move(samples))
{
}

std::size_t SweptSegment::Steps() const
{
    if (m_parts.empty() || m_samples.empty())
        return 0;
    return std::max<std::size_t>(1, m_samples.size() - 1);
}

Affine2 SweptSegment::PartPlace(const PlacedFootprint& part, std::size_t sample) const
{
    return m_samples[sample].frame.PlaceAtOffset(part.offset);
}

std::vector<Geometry> SweptSegment::Hulls(const GeosContext& geos, std::size_t from, std::size_t to) const
{
    std::vector<Geometry> hulls;
    for (const PlacedFootprint& part : m_parts)
    {
        std::vector<Geometry> swept = SweptPieces(geos, *part.footprint, PartPlace(part, from), PartPlace(part, to));
        std::move(swept.begin(), swept.end(), std::back_inserter(hulls));
    }
    return hulls;
}

std::vector<double> SweptSegment::Corners(std::size_t sample) const
{
    std::vector<double> corners;
    corners.reserve(8 * m_parts.size());
    for (const PlacedFootprint& part : m_parts)
    {
        const Affine2 place = PartPlace(part, sample);
        const Bounds& f = part.footprint->box;
        for (const auto& [x, y] : {std::pair{f.minX, f.minY}, {f.maxX, f.minY}, {f.minX, f.maxY}, {f.maxX, f.maxY}})
        {
            double px = 0.0;
            double py = 0.0;
            place.Apply(x, y, px, py);
            corners.push_back(px);
            corners.push_back(py);
        }
    }
    return corners;
}

Bounds SweptSegment::Covered(std::size_t from, std::size_t to) const
{
    Bounds box;
    for (const std::size_t sample : {from, to})
    {
        const std::vector<double> corners = Corners(sample);
        for (std::size_t i = 0; i + 1 < corners.size(); i += 2)
            box.Add(corners[i], corners[i + 1]);
    }
    return box;
}

// The stray of a point from the chord between its places at a run's ends
// is affine in the point, so its largest over a footprint's box is at one
// of the box's corners: checking the corners checks the whole footprint.
bool SweptSegment::Straight(const std::vector<std::vector<double>>& corners, double tolerance) const
{
    const std::vector<double>& first = corners.front();
    const std::vector<double>& last = corners.back();
    for (std::size_t i = 0; i + 1 < first.size(); i += 2)
    {
        const double dx = last[i] - first[i];
        const double dy = last[i + 1] - first[i + 1];
        const double length = std::hypot(dx, dy);
        for (std::size_t j = 1; j + 1 < corners.size(); ++j)
        {
            const double ox = corners[j][i] - first[i];
            const double oy = corners[j][i + 1] - first[i + 1];
            const double stray = length > 0.0 ? std::abs(ox * dy - oy * dx) / length : std::hypot(ox, oy);
            if (stray > tolerance / 2.0)
                return false;
        }
    }
    return true;
}

std::vector<std::size_t> SweptSegment::Strides(double tolerance) const
{
    std::vector<std::size_t> ends{0};
    if (m_samples.size() < 2)
        return ends;
    const double reach = Reach(m_parts);
    std::vector<std::vector<double>> run{Corners(0)};
    for (std::size_t sample = 1; sample < m_samples.size(); ++sample)
    {
        run.push_back(Corners(sample));
        // A single step is always covered by its own hulls.
        const bool longest = run.size() > kMostSamplesPerStride;
        if (run.size() > 2 &&
            (longest || Turn(m_samples[ends.back()].frame, m_samples[sample].frame) * reach > tolerance / 2.0 ||
             !Straight(run, tolerance)))
        {
            // The run ends at the sample before; the next starts there.
            ends.push_back(sample - 1);
            run.erase(run.begin(), run.end() - 2);
        }
    }
    ends.push_back(m_samples.size() - 1);
    return ends;
}

Geometry SweptSegment::Area(const GeosContext& geos, double tolerance) const
{
    if (Steps() == 0)
        return geos.Empty();
    const std::vector<std::size_t> ends = Strides(tolerance);
    std::vector<Geometry> partial;
    std::vector<Geometry> hulls;
    for (std::size_t step = 0; step < std::max<std::size_t>(1, ends.size() - 1); ++step)
    {
        std::vector<Geometry> swept = Hulls(geos, ends[step], ends[std::min(step + 1, ends.size() - 1)]);
        std::move(swept.begin(), swept.end(), std::back_inserter(hulls));
        if ((step + 1) % kStepsPerUnion == 0)
        {
            partial.push_back(geos.Union(std::move(hulls)));
            hulls.clear();
        }
    }
    partial.push_back(geos.Union(std::move(hulls)));
    return geos.Union(std::move(partial));
}
