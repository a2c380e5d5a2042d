#include "motion/Rotation.h"

#include "geometry/CZnTransform.h"

#include <cmath>

namespace
{
double Dot(const Rotation& p, const Rotation& q)
{
    return p.w * q.w + p.x * q.x + p.y * q.y + p.z * q.z;
}

Rotation Normalised(const Rotation& q)
{
    const double length = std::sqrt(Dot(q, q));
    return {q.w / length, q.x / length, q.y / length, q.z / length};
}
} // namespace

Rotation Rotation::Of(const CZnTransform& t)
{
    // Shepperd's method: divide by the largest of the four candidates, so
    // that no turn (half turns included) loses precision.
    const double trace = t(0, 0) + t(1, 1) + t(2, 2);
    Rotation q;
    if (trace >= t(0, 0) && trace >= t(1, 1) && trace >= t(2, 2))
    {
        const double s = 2.0 * std::sqrt(1.0 + trace);
        q = {s / 4.0, (t(2, 1) - t(1, 2)) / s, (t(0, 2) - t(2, 0)) / s, (t(1, 0) - t(0, 1)) / s};
    }
    else if (t(0, 0) >= t(1, 1) && t(0, 0) >= t(2, 2))
    {
        const double s = 2.0 * std::sqrt(1.0 + t(0, 0) - t(1, 1) - t(2, 2));
        q = {(t(2, 1) - t(1, 2)) / s, s / 4.0, (t(0, 1) + t(1, 0)) / s, (t(0, 2) + t(2, 0)) / s};
    }
    else if (t(1, 1) >= t(2, 2))
    {
        const double s = 2.0 * std::sqrt(1.0 + t(1, 1) - t(0, 0) - t(2, 2));
        q = {(t(0, 2) - t(2, 0)) / s, (t(0, 1) + t(1, 0)) / s, s / 4.0, (t(1, 2) + t(2, 1)) / s};
    }
    else
    {
        const double s = 2.0 * std::sqrt(1.0 + t(2, 2) - t(0, 0) - t(1, 1));
        q = {(t(1, 0) - t(0, 1)) / s, (t(0, 2) + t(2, 0)) / s, (t(1, 2) + t(2, 1)) / s, s / 4.0};
    }
    // One sign for one turn, so that equal placements pack equally.
    if (q.w < 0.0)
        q = {-q.w, -q.x, -q.y, -q.z};
    return Normalised(q);
}

void Rotation::Matrix(double m[3][3]) const
{
    m[0][0] = 1.0 - 2.0 * (y * y + z * z);
    m[0][1] = 2.0 * (x * y - w * z);
    m[0][2] = 2.0 * (x * z + w * y);
    m[1][0] = 2.0 * (x * y + w * z);
    m[1][1] = 1.0 - 2.0 * (x * x + z * z);
    m[1][2] = 2.0 * (y * z - w * x);
    m[2][0] = 2.0 * (x * z - w * y);
    m[2][1] = 2.0 * (y * z + w * x);
    m[2][2] = 1.0 - 2.0 * (x * x + y * y);
}

void Rotation::Turn(double& vx, double& vy, double& vz) const
{
    double m[3][3];
    Matrix(m);
    const double in[3] = {vx, vy, vz};
    vx = m[0][0] * in[0] + m[0][1] * in[1] + m[0][2] * in[2];
    vy = m[1][0] * in[0] + m[1][1] * in[1] + m[1][2] * in[2];
    vz = m[2][0] * in[0] + m[2][1] * in[1] + m[2][2] * in[2];
}

Rotation Sample(const Rotation& from, const Rotation& to, double f)
{
    // q and -q are one turn; the one nearer `from` is the shorter way.
    double cosine = Dot(from, to);
    const double sign = cosine < 0.0 ? -1.0 : 1.0;
    cosine *= sign;
    double weightFrom = 1.0 - f;
    double weightTo = f;
    // Nearly equal turns: the arc is a line, and the sine below would vanish.
    if (cosine < 0.9995)
    {
        const double angle = std::acos(cosine);
        weightFrom = std::sin((1.0 - f) * angle) / std::sin(angle);
        weightTo = std::sin(f * angle) / std::sin(angle);
    }
    weightTo *= sign;
    return Normalised({weightFrom * from.w + weightTo * to.w, weightFrom * from.x + weightTo * to.x,
                       weightFrom * from.y + weightTo * to.y,
                       weightFrom * from.z + weightTo * to.z});
}
