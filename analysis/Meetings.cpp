#include "analysis/Meetings.h"

#include "analysis/Coupling.h"
#include "analysis/Geos.h"
#include "analysis/MeetingCandidates.h"
#include "analysis/MeetingJoins.h"
#include "drawing/Failure.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

namespace
{
// A footprint's default tolerance, as a share of its size, as for sweeps.
constexpr double kToleranceShare = 0.01;

// The shared clock runs from the first start to the last end.
std::pair<double, double> ClockSpan(const std::vector<PlayedSimulation>& sims)
{
    double from = std::numeric_limits<double>::infinity();
    double to = -std::numeric_limits<double>::infinity();
    for (const PlayedSimulation& sim : sims)
    {
        from = std::min(from, sim.start);
        to = std::max(to, sim.start + sim.motion.duration);
    }
    return {from, to};
}

void AddParts(const PlayedSimulation& sim, std::size_t index, std::pair<double, double> clock,
              Footprints& footprints, double tolerance, std::vector<PartOnClock>& parts)
{
    const SimulationMotion& motion = sim.motion;
    if (!motion.problem.empty())
        throw Failure(FailureKind::badInput, "\"" + sim.name + "\" cannot be played: " + motion.problem);
    for (std::size_t i = 0; i < motion.sections.size(); ++i)
    {
        const SectionMotion& section = motion.sections[i];
        const double from = i == 0 ? clock.first : sim.start + section.start;
        const double to = i + 1 == motion.sections.size() ? clock.second : sim.start + section.start + section.duration;
        for (std::size_t j = 0; j < section.segments.size(); ++j)
            if (!section.segments[j].placements.empty())
                for (const PlacedFootprint& placed : footprints.PartsOf(section.segments[j], tolerance))
                    parts.emplace_back(PartKey{index, i, j, placed.part}, section.segments[j], placed, sim.start, from,
                                       to, tolerance);
    }
}

std::vector<PartOnClock> PartsOnClock(const std::vector<PlayedSimulation>& sims, Footprints& footprints,
                                      double tolerance)
{
    std::vector<PartOnClock> parts;
    const std::pair<double, double> clock = ClockSpan(sims);
    for (std::size_t s = 0; s < sims.size(); ++s)
        AddParts(sims[s], s, clock, footprints, tolerance, parts);
    return parts;
}

// Parts of one simulation meet only within the section playing, and the
// parts of one segment move as one body.
bool MayMeet(const PartKey& a, const PartKey& b)
{
    return a.simulation != b.simulation || (a.section == b.section && a.segment != b.segment);
}

Geometry ShapeOf(const GeosContext& geos, const Footprint& footprint)
{
    std::vector<Geometry> pieces;
    for (const std::vector<double>& piece : footprint.pieces)
        pieces.push_back(geos.Polygon(piece));
    return geos.MultiPolygon(std::move(pieces));
}

// The two parts as compared, in their own frames, and the distance that
// makes a meeting of them.
struct PairShapes
{
    Geometry a;
    Geometry b;
    double clearance = 0.0;
    bool hitched = false;
};

// shape less the disc of radius about (x, y).
Geometry Without(const GeosContext& geos, const GEOSGeometry& shape, double x, double y, double radius)
{
    const Geometry centre = geos.Check(GEOSGeom_createPointFromXY_r(geos.Handle(), x, y));
    const Geometry disc = geos.Check(GEOSBuffer_r(geos.Handle(), centre.get(), radius, 32));
    return geos.Check(GEOSDifference_r(geos.Handle(), &shape, disc.get()));
}

// Hitched units overlap about their hitch, as a semi-trailer's nose rides
// over its tractor: the circle about the hitch that holds their overlap
// when lined up straight is where they are coupled, not meeting.
PairShapes HitchedShapes(const GeosContext& geos, Geometry a, Geometry b, const Coupling& hitch, double tolerance)
{
    const Geometry lined =
        geos.Transformed(*b, Affine2::Translation(hitch.ax - hitch.bx, hitch.ay - hitch.by));
    const Geometry overlap = geos.Check(GEOSIntersection_r(geos.Handle(), a.get(), lined.get()));
    double radius = 0.0;
    const std::vector<double> xy = geos.Vertices(*overlap);
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
        radius = std::max(radius, std::hypot(xy[i] - hitch.ax, xy[i + 1] - hitch.ay));
    radius += tolerance;
    return {Without(geos, *a, hitch.ax, hitch.ay, radius), Without(geos, *b, hitch.bx, hitch.by, radius), 0.0, true};
}

class PairScan
{
public:
    PairScan(const GeosContext& geos, const PartOnClock& a, const PartOnClock& b, PairShapes shapes,
             MeetingReport& report)
        : m_geos(geos), m_a(a), m_b(b), m_shapes(std::move(shapes)), m_tolerance(report.tolerance), m_report(report)
    {
    }

    void Scan(double from, double to)
    {
        const std::vector<double> times = TimesWithin(from, to);
        std::vector<double> distances;
        distances.reserve(times.size());
        for (const double t : times)
            distances.push_back(DistanceAt(t));
        for (std::size_t k = 0; k < times.size(); ++k)
            if (distances[k] <= m_shapes.clearance)
                k = Within(times, distances, k);
            else if (Dip(distances, k))
                Graze(times, k);
    }

private:
    std::vector<double> TimesWithin(double from, double to) const
    {
        std::vector<double> times{from, to};
        for (const PartOnClock* part : {&m_a, &m_b})
            for (const double t : part->Times())
                if (t > from && t < to)
                    times.push_back(t);
        std::sort(times.begin(), times.end());
        times.erase(std::unique(times.begin(), times.end()), times.end());
        return times;
    }

    std::pair<Geometry, Geometry> PlacedAt(double t) const
    {
        return {m_geos.Transformed(*m_shapes.a, m_a.PlaceAt(t)), m_geos.Transformed(*m_shapes.b, m_b.PlaceAt(t))};
    }

    double DistanceAt(double t) const
    {
        ++m_report.distances;
        const auto [a, b] = PlacedAt(t);
        return m_geos.Distance(*a, *b);
    }

    // The samples from k on that are within the clearance make one meeting;
    // the last of them.
    std::size_t Within(const std::vector<double>& times, const std::vector<double>& distances, std::size_t k)
    {
        std::size_t end = k;
        while (end + 1 < times.size() && distances[end + 1] <= m_shapes.clearance)
            ++end;
        const double first = k == 0 ? times[k] : Crossing(times[k - 1], times[k]);
        const double last = end + 1 == times.size() ? times[end] : Crossing(times[end + 1], times[end]);
        const std::size_t closest = static_cast<std::size_t>(
            std::min_element(distances.begin() + static_cast<std::ptrdiff_t>(k),
                             distances.begin() + static_cast<std::ptrdiff_t>(end) + 1) -
            distances.begin());
        Add(first, last, Closest(times, closest));
        return end;
    }

    // A sample outside the clearance, but nearer than its neighbours and
    // close enough that the parts may have come within it in between: each
    // moves less than the tolerance from one sample to the next.
    bool Dip(const std::vector<double>& distances, std::size_t k) const
    {
        const bool lowest = (k == 0 || distances[k] <= distances[k - 1]) &&
                            (k + 1 == distances.size() || distances[k] <= distances[k + 1]);
        return lowest && distances[k] <= m_shapes.clearance + 2.0 * m_tolerance;
    }

    // Looks for the closest approach about a dip, and keeps it as a
    // meeting when it comes within the clearance.
    void Graze(const std::vector<double>& times, std::size_t k)
    {
        const double closest = Closest(times, k);
        if (DistanceAt(closest) > m_shapes.clearance)
            return;
        const double before = times[k == 0 ? k : k - 1];
        const double after = times[std::min(k + 1, times.size() - 1)];
        Add(Crossing(before, closest), Crossing(after, closest), closest);
    }

    // Between a moment outside the meeting and one inside, the moment it
    // begins (or ends).
    double Crossing(double outside, double inside) const
    {
        while (std::abs(inside - outside) > kMomentPrecision)
        {
            const double middle = (outside + inside) / 2.0;
            (DistanceAt(middle) <= m_shapes.clearance ? inside : outside) = middle;
        }
        return inside;
    }

    // The moment of the smallest distance, looked for between the samples
    // beside sample k.
    double Closest(const std::vector<double>& times, std::size_t k) const
    {
        double lo = times[k == 0 ? k : k - 1];
        double hi = times[std::min(k + 1, times.size() - 1)];
        const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
        double left = hi - golden * (hi - lo);
        double right = lo + golden * (hi - lo);
        double atLeft = DistanceAt(left);
        double atRight = DistanceAt(right);
        while (hi - lo > kMomentPrecision)
            if (atLeft <= atRight)
            {
                hi = right;
                right = left;
                atRight = atLeft;
                left = hi - golden * (hi - lo);
                atLeft = DistanceAt(left);
            }
            else
            {
                lo = left;
                left = right;
                atLeft = atRight;
                right = lo + golden * (hi - lo);
                atRight = DistanceAt(right);
            }
        const double refined = (lo + hi) / 2.0;
        return DistanceAt(refined) <= DistanceAt(times[k]) ? refined : times[k];
    }

    MeetingMoment MomentAt(double t) const { return {t, m_a.PositionAt(t), m_b.PositionAt(t)}; }

    void Add(double first, double last, double closest)
    {
        Meeting meeting{m_a.Key(), m_b.Key(), m_shapes.hitched, MomentAt(first), MomentAt(last), 0.0,
                        MomentAt(closest)};
        const auto [a, b] = PlacedAt(closest);
        meeting.distance = m_geos.Distance(*a, *b);
        const std::vector<double> points = m_geos.NearestPoints(*a, *b);
        meeting.ax = points[0];
        meeting.ay = points[1];
        meeting.bx = points[2];
        meeting.by = points[3];
        m_report.meetings.push_back(meeting);
    }

    const GeosContext& m_geos;
    const PartOnClock& m_a;
    const PartOnClock& m_b;
    PairShapes m_shapes;
    double m_tolerance;
    MeetingReport& m_report;
};

double DefaultTolerance(const std::vector<PlayedSimulation>& sims, Footprints& footprints)
{
    double size = 0.0;
    for (const PlayedSimulation& sim : sims)
        size = std::max(size, footprints.LargestSize(sim.motion));
    return kToleranceShare * size;
}

auto Order(const Meeting& m)
{
    return std::tie(m.first.time, m.a.simulation, m.a.section, m.a.segment, m.a.part, m.b.simulation,
                    m.b.section, m.b.segment, m.b.part);
}
} // namespace

MeetingReport FindMeetings(const std::vector<PlayedSimulation>& sims, const MeetingOptions& options)
{
    const GeosContext geos;
    Footprints footprints(geos);
    MeetingReport report;
    report.clearance = options.clearance;
    report.tolerance = options.tolerance > 0.0 ? options.tolerance : DefaultTolerance(sims, footprints);
    const std::vector<PartOnClock> parts = PartsOnClock(sims, footprints, report.tolerance);
    report.parts = parts.size();
    if (!(report.tolerance > 0.0))
        return report;
    const auto mayMeet = [&](std::size_t a, std::size_t b) { return MayMeet(parts[a].Key(), parts[b].Key()); };
    for (const CandidatePair& pair : CandidatePairs(parts, mayMeet, report.clearance, report.tolerance))
    {
        const PartOnClock& a = parts[pair.a];
        const PartOnClock& b = parts[pair.b];
        PairShapes shapes{ShapeOf(geos, a.Shape()), ShapeOf(geos, b.Shape()), report.clearance, false};
        if (a.Key().simulation == b.Key().simulation)
        {
            const Coupling coupling = CouplingOf(a, b, report.tolerance);
            if (coupling.kind == Coupling::Kind::rigid)
                continue;
            if (coupling.kind == Coupling::Kind::hitched)
                shapes = HitchedShapes(geos, std::move(shapes.a), std::move(shapes.b), coupling, report.tolerance);
        }
        ++report.pairs;
        PairScan scan(geos, a, b, std::move(shapes), report);
        for (const auto& [from, to] : pair.spans)
            scan.Scan(from, to);
    }
    std::sort(report.meetings.begin(), report.meetings.end(),
              [](const Meeting& x, const Meeting& y) { return Order(x) < Order(y); });
    JoinAcrossSections(parts, report.tolerance, report.meetings);
    return report;
}
