#include "analysis/MeetingJoins.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace
{
// Whether after takes over from before at a section boundary: the same
// part of the same segment in the next section, its footprint where
// before's was left, to within the tolerance.
bool TakesOver(const PartOnClock& before, const PartOnClock& after, double tolerance)
{
    const PartKey& x = before.Key();
    const PartKey& y = after.Key();
    if (x.simulation != y.simulation || y.section != x.section + 1 || x.segment != y.segment || x.part != y.part ||
        std::abs(after.From() - before.To()) > kMomentPrecision)
        return false;
    const std::vector<std::vector<double>>& left = before.Shape().pieces;
    const std::vector<std::vector<double>>& taken = after.Shape().pieces;
    if (left.size() != taken.size())
        return false;
    const Affine2 leftAt = before.PlaceAt(before.To());
    const Affine2 takenAt = after.PlaceAt(after.From());
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        if (left[i].size() != taken[i].size())
            return false;
        for (std::size_t k = 0; k + 1 < left[i].size(); k += 2)
        {
            double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
            leftAt.Apply(left[i][k], left[i][k + 1], x0, y0);
            takenAt.Apply(taken[i][k], taken[i][k + 1], x1, y1);
            if (std::hypot(x1 - x0, y1 - y0) > tolerance)
                return false;
        }
    }
    return true;
}

bool SameKey(const PartKey& x, const PartKey& y)
{
    return std::tie(x.simulation, x.section, x.segment, x.part) == std::tie(y.simulation, y.section, y.segment, y.part);
}

class SectionJoins
{
public:
    SectionJoins(const std::vector<PartOnClock>& parts, double tolerance) : m_parts(parts), m_tolerance(tolerance) {}

    void Join(std::vector<Meeting>& meetings) const
    {
        for (std::size_t i = 0; i < meetings.size(); ++i)
            for (std::size_t j = i + 1;
                 j < meetings.size() && meetings[j].first.time <= meetings[i].last.time + kMomentPrecision;)
                if (RunsOn(meetings[i], meetings[j]))
                {
                    Extend(meetings[i], meetings[j]);
                    meetings.erase(meetings.begin() + static_cast<std::ptrdiff_t>(j));
                    j = i + 1;
                }
                else
                    ++j;
    }

private:
    bool RunsOn(const Meeting& m, const Meeting& n) const
    {
        return m.hitched == n.hitched && std::abs(n.first.time - m.last.time) <= kMomentPrecision &&
               SameBody(m.a, m.last.a, n.a) && SameBody(m.b, m.last.b, n.b);
    }

    // Whether part, in the section it has reached at place, is next.
    bool SameBody(PartKey part, const PartPlace& place, const PartKey& next) const
    {
        part.section = place.section;
        return SameKey(part, next) || TakesOver(Find(part), Find(next), m_tolerance);
    }

    const PartOnClock& Find(const PartKey& key) const
    {
        return *std::find_if(m_parts.begin(), m_parts.end(),
                             [&](const PartOnClock& part) { return SameKey(part.Key(), key); });
    }

    static void Extend(Meeting& m, const Meeting& n)
    {
        m.last = n.last;
        if (n.distance >= m.distance)
            return;
        m.distance = n.distance;
        m.closest = n.closest;
        std::tie(m.ax, m.ay, m.bx, m.by) = std::tie(n.ax, n.ay, n.bx, n.by);
    }

    const std::vector<PartOnClock>& m_parts;
    double m_tolerance;
};

} // namespace

void JoinAcrossSections(const std::vector<PartOnClock>& parts, double tolerance, std::vector<Meeting>& meetings)
{
    SectionJoins(parts, tolerance).Join(meetings);
}
