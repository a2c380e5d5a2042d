#include "analysis/MeetingCandidates.h"

#include <boost/function_output_iterator.hpp>
#include <boost/geometry/geometries/box.hpp>
#include <boost/geometry/geometries/point.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <algorithm>
#include <map>

namespace
{
namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using Point3 = bg::model::point<double, 3, bg::cs::cartesian>;
using Box3 = bg::model::box<Point3>;
using Entry = std::pair<Box3, std::size_t>;

struct RunOfPart
{
    std::size_t part;
    PartRun run;
};

std::vector<RunOfPart> AllRuns(const std::vector<PartOnClock>& parts, double tolerance)
{
    std::vector<RunOfPart> runs;
    for (std::size_t i = 0; i < parts.size(); ++i)
        for (const PartRun& run : parts[i].Runs(kSamplesPerRun, tolerance))
            runs.push_back({i, run});
    return runs;
}

Box3 BoxOf(const PartRun& run, double grow)
{
    return {Point3(run.box.minX - grow, run.box.minY - grow, run.from),
            Point3(run.box.maxX + grow, run.box.maxY + grow, run.to)};
}

std::vector<std::pair<double, double>> Merged(std::vector<std::pair<double, double>> spans)
{
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<double, double>> merged;
    for (const auto& span : spans)
        if (!merged.empty() && span.first <= merged.back().second)
            merged.back().second = std::max(merged.back().second, span.second);
        else
            merged.push_back(span);
    return merged;
}
} // namespace

std::vector<CandidatePair> CandidatePairs(const std::vector<PartOnClock>& parts,
                                          const std::function<bool(std::size_t, std::size_t)>& compared,
                                          double distance, double tolerance)
{
    const std::vector<RunOfPart> runs = AllRuns(parts, tolerance);
    std::vector<Entry> entries;
    entries.reserve(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i)
        entries.emplace_back(BoxOf(runs[i].run, 0.0), i);
    // Built in one pass from all the boxes (packing), which keeps the
    // tree's boxes from overlapping more than they must.
    const bgi::rtree<Entry, bgi::rstar<16>> tree(entries.begin(), entries.end());
    std::map<std::pair<std::size_t, std::size_t>, std::vector<std::pair<double, double>>> spans;
    for (const RunOfPart& run : runs)
        tree.query(bgi::intersects(BoxOf(run.run, distance)),
                   boost::make_function_output_iterator([&](const Entry& hit) {
                       const RunOfPart& other = runs[hit.second];
                       if (other.part <= run.part || !compared(run.part, other.part))
                           return;
                       spans[{run.part, other.part}].emplace_back(std::max(run.run.from, other.run.from),
                                                                  std::min(run.run.to, other.run.to));
                   }));
    std::vector<CandidatePair> pairs;
    for (auto& [key, found] : spans)
        pairs.push_back({key.first, key.second, Merged(std::move(found))});
    return pairs;
}
