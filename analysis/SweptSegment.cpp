#include "analysis/SweptSegment.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace
{
// Steps whose hulls are unioned together before the partial unions are:
// it keeps the hulls held at once, and so the memory, bounded on long runs.
constexpr std::size_t kStepsPerUnion = 4096;
} // namespace

SweptSegment::SweptSegment(std::size_t section, std::size_t segment, std::vector<SweptPart> parts,
                           std::vector<SweepSample> samples)
    : m_section(section), m_segment(segment), m_parts(std::move(parts)), m_samples(std::move(samples))
{
}

std::size_t SweptSegment::Steps() const
{
    if (m_parts.empty() || m_samples.empty())
        return 0;
    return std::max<std::size_t>(1, m_samples.size() - 1);
}

Affine2 SweptSegment::PartPlace(const SweptPart& part, std::size_t sample) const
{
    return m_samples[sample].frame.Moved(part.offset).TopView();
}

std::vector<Geometry> SweptSegment::Hulls(const GeosContext& geos, std::size_t from, std::size_t to) const
{
    std::vector<Geometry> hulls;
    for (const SweptPart& part : m_parts)
    {
        std::vector<Geometry> swept = SweptPieces(geos, *part.footprint, PartPlace(part, from), PartPlace(part, to));
        std::move(swept.begin(), swept.end(), std::back_inserter(hulls));
    }
    return hulls;
}

Box SweptSegment::Bounds(std::size_t from, std::size_t to) const
{
    constexpr double kFar = std::numeric_limits<double>::infinity();
    Box box{kFar, kFar, -kFar, -kFar};
    for (const SweptPart& part : m_parts)
        for (const std::size_t sample : {from, to})
        {
            const Affine2 place = PartPlace(part, sample);
            const Box& f = part.footprint->box;
            for (const auto& [x, y] : {std::pair{f.minX, f.minY}, {f.maxX, f.minY}, {f.minX, f.maxY}, {f.maxX, f.maxY}})
            {
                double px = 0.0;
                double py = 0.0;
                place.Apply(x, y, px, py);
                box = {std::min(box.minX, px), std::min(box.minY, py), std::max(box.maxX, px), std::max(box.maxY, py)};
            }
        }
    return box;
}

Geometry SweptSegment::Area(const GeosContext& geos) const
{
    std::vector<Geometry> partial;
    std::vector<Geometry> hulls;
    for (std::size_t step = 0; step < Steps(); ++step)
    {
        std::vector<Geometry> swept = Hulls(geos, From(step), To(step));
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
