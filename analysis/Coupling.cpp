#include "analysis/Coupling.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace
{
// The moments both are sampled at while both play.
std::vector<double> CommonTimes(const PartOnClock& a, const PartOnClock& b)
{
    const double from = std::max(a.From(), b.From());
    const double to = std::min(a.To(), b.To());
    std::vector<double> times;
    for (const PartOnClock* part : {&a, &b})
        for (const double t : part->Times())
            if (t >= from && t <= to)
                times.push_back(t);
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return times;
}

// Where b's frame stands in a's at each moment.
std::vector<Affine2> Relative(const PartOnClock& a, const PartOnClock& b, const std::vector<double>& times)
{
    std::vector<Affine2> relative;
    for (const double t : times)
        relative.push_back(a.PlaceAt(t).Inverse() * b.PlaceAt(t));
    return relative;
}

// The most a corner of b's footprint box moves in a's frame over the run.
double RelativeMove(const Footprint& b, const std::vector<Affine2>& relative)
{
    double most = 0.0;
    const Bounds& f = b.box;
    for (const auto& [x, y] : {std::pair{f.minX, f.minY}, {f.maxX, f.minY}, {f.minX, f.maxY}, {f.maxX, f.maxY}})
    {
        double x0 = 0.0;
        double y0 = 0.0;
        relative.front().Apply(x, y, x0, y0);
        for (const Affine2& r : relative)
        {
            double xr = 0.0;
            double yr = 0.0;
            r.Apply(x, y, xr, yr);
            most = std::max(most, std::hypot(xr - x0, yr - y0));
        }
    }
    return most;
}

using Normal = std::array<std::array<double, 5>, 4>;

// Solves the 4 x 4 system held with its right-hand side as a fifth column,
// by elimination with partial pivoting; false when it is singular.
bool Solve(Normal& m, std::array<double, 4>& x)
{
    for (std::size_t col = 0; col < 4; ++col)
    {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < 4; ++row)
            if (std::abs(m[row][col]) > std::abs(m[pivot][col]))
                pivot = row;
        if (std::abs(m[pivot][col]) < 1e-12)
            return false;
        std::swap(m[col], m[pivot]);
        for (std::size_t row = 0; row < 4; ++row)
            if (row != col)
            {
                const double k = m[row][col] / m[col][col];
                for (std::size_t c = col; c < 5; ++c)
                    m[row][c] -= k * m[col][c];
            }
    }
    for (std::size_t i = 0; i < 4; ++i)
        x[i] = m[i][4] / m[i][i];
    return true;
}

// The pivot, in a's frame (x0, x1) and b's (x2, x3), that least misses
// staying together in the drawing: place_a·ka = place_b·kb at every moment.
bool Pivot(const PartOnClock& a, const PartOnClock& b, const std::vector<double>& times, std::array<double, 4>& k)
{
    Normal normal{};
    for (const double t : times)
    {
        const Affine2 pa = a.PlaceAt(t);
        const Affine2 pb = b.PlaceAt(t);
        const std::array<std::array<double, 4>, 2> rows = {
            {{pa.a, pa.c, -pb.a, -pb.c}, {pa.b, pa.d, -pb.b, -pb.d}}};
        const std::array<double, 2> rhs = {pb.e - pa.e, pb.f - pa.f};
        for (std::size_t r = 0; r < 2; ++r)
            for (std::size_t i = 0; i < 4; ++i)
            {
                for (std::size_t j = 0; j < 4; ++j)
                    normal[i][j] += rows[r][i] * rows[r][j];
                normal[i][4] += rows[r][i] * rhs[r];
            }
    }
    return Solve(normal, k);
}

double Miss(const PartOnClock& a, const PartOnClock& b, const std::vector<double>& times, const std::array<double, 4>& k)
{
    double most = 0.0;
    for (const double t : times)
    {
        double ax = 0.0;
        double ay = 0.0;
        double bx = 0.0;
        double by = 0.0;
        a.PlaceAt(t).Apply(k[0], k[1], ax, ay);
        b.PlaceAt(t).Apply(k[2], k[3], bx, by);
        most = std::max(most, std::hypot(ax - bx, ay - by));
    }
    return most;
}
} // namespace

Coupling CouplingOf(const PartOnClock& a, const PartOnClock& b, double tolerance)
{
    const std::vector<double> times = CommonTimes(a, b);
    if (times.empty())
        return {};
    if (RelativeMove(b.Shape(), Relative(a, b, times)) < tolerance)
        return {Coupling::Kind::rigid};
    std::array<double, 4> k{};
    if (!Pivot(a, b, times, k) || Miss(a, b, times, k) > tolerance / 2.0)
        return {};
    return {Coupling::Kind::hitched, k[0], k[1], k[2], k[3]};
}
