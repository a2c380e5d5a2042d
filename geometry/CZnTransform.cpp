#include "geometry/CZnTransform.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>

CGoogleEarthConfig* CZnTransform::s_pGoogleEarthConfig = nullptr;

namespace
{
constexpr double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Below this, cos of the second Euler angle counts as zero: the first and
// third axes line up and only their combined turn can be recovered.
constexpr double kGimbalThreshold = 1.6e-5;

// Used only when the process convention cannot be allocated, so that a
// conversion still gives the default convention's answer.
constexpr CGoogleEarthConfig kDefaultConvention{};

const CGoogleEarthConfig& convention()
{
    const CGoogleEarthConfig* config = CZnTransform::GoogleConfig();
    return config != nullptr ? *config : kDefaultConvention;
}

// Rows 0..2 of M·(x, y, z, w). With w = 1 the last term is the translation
// element itself, since a double times 1.0 is that double exactly.
void applyToColumn(const double* m, const double in[4], double out[3])
{
    for (int r = 0; r < 3; ++r)
    {
        const double* row = m + 4 * r;
        out[r] = 0.0 + row[0] * in[0] + row[1] * in[1] + row[2] * in[2] + row[3] * in[3];
    }
}
} // namespace

CZnTransform::CZnTransform()
{
    Reset();
}

CZnTransform::CZnTransform(const CZnTransform& other)
{
    std::copy_n(other.m_matrix, 16, m_matrix);
}

CZnTransform::CZnTransform(const CZnVector& axis, double angle) : CZnTransform()
{
    SetRotation(axis, angle);
}

CZnTransform& CZnTransform::operator=(const CZnTransform& other)
{
    if (this != &other)
        std::copy_n(other.m_matrix, 16, m_matrix);
    return *this;
}

void CZnTransform::Copy(const CZnTransform& other)
{
    *this = other;
}

void CZnTransform::Reset()
{
    std::copy_n(kIdentity, 16, m_matrix);
}

void CZnTransform::SetTranslation(const CZnVector& t)
{
    m_matrix[3] = t.x;
    m_matrix[7] = t.y;
    m_matrix[11] = t.z;
}

void CZnTransform::GetTranslation(CZnVector& t) const
{
    t = CZnVector(m_matrix[3], m_matrix[7], m_matrix[11]);
}

void CZnTransform::SetScale(double s)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m_matrix[4 * r + c] *= s;
}

void CZnTransform::SetRotation(const CZnVector& x, const CZnVector& y, const CZnVector& z)
{
    const CZnVector* columns[3] = {&x, &y, &z};
    for (int c = 0; c < 3; ++c)
    {
        m_matrix[c] = columns[c]->x;
        m_matrix[4 + c] = columns[c]->y;
        m_matrix[8 + c] = columns[c]->z;
    }
}

void CZnTransform::GetRotation(CZnVector& x, CZnVector& y, CZnVector& z) const
{
    CZnVector* columns[3] = {&x, &y, &z};
    for (int c = 0; c < 3; ++c)
        *columns[c] = CZnVector(m_matrix[c], m_matrix[4 + c], m_matrix[8 + c]);
}

void CZnTransform::SetRotation(const CZnVector& axis, double angle)
{
    const double x = axis.x, y = axis.y, z = axis.z;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    double* m = m_matrix;
    m[0] = (1.0 - x * x) * c + x * x;
    m[1] = x * y * t - s * z;
    m[2] = x * z * t + s * y;
    m[4] = x * y * t + s * z;
    m[5] = (1.0 - y * y) * c + y * y;
    m[6] = z * y * t - s * x;
    m[8] = x * z * t - s * y;
    m[9] = z * y * t + s * x;
    m[10] = (1.0 - z * z) * c + z * z;
}

void CZnTransform::Multiply(const double in[4], double out[4]) const
{
    for (int r = 0; r < 4; ++r)
    {
        out[r] = 0.0;
        for (int c = 0; c < 4; ++c)
            out[r] += m_matrix[4 * r + c] * in[c];
    }
}

CZnPoint CZnTransform::operator*(const CZnPoint& p) const
{
    const double in[4] = {p.x, p.y, p.z, 1.0};
    double out[3];
    applyToColumn(m_matrix, in, out);
    return CZnPoint(out[0], out[1], out[2]);
}

CZnVector CZnTransform::operator*(const CZnVector& v) const
{
    const double in[4] = {v.x, v.y, v.z, 0.0};
    double out[3];
    applyToColumn(m_matrix, in, out);
    return CZnVector(out[0], out[1], out[2]);
}

CZnTransform CZnTransform::Multiply(const CZnTransform& b) const
{
    CZnTransform product(Uninitialised{});
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += m_matrix[4 * r + k] * b.m_matrix[4 * k + c];
            product.m_matrix[4 * r + c] = sum;
        }
    return product;
}

CZnTransform CZnTransform::operator*(const CZnTransform& b) const
{
    return Multiply(b);
}

CZnTransform CZnTransform::Inverse() const
{
    CZnTransform inverse;
    const double* m = m_matrix;
    for (int r = 0; r < 3; ++r)
    {
        for (int c = 0; c < 3; ++c)
            inverse.m_matrix[4 * r + c] = m[4 * c + r];
        inverse.m_matrix[4 * r + 3] = 0.0 - m[r] * m[3] - m[4 + r] * m[7] - m[8 + r] * m[11];
    }
    return inverse;
}

bool CZnTransform::SetEulerAngles(double* angles)
{
    const CGoogleEarthConfig& config = convention();
    if (config.m_bSwapFirstAndThird)
        std::swap(angles[0], angles[2]);
    if (!config.m_bKeepSigns)
        for (int n = 0; n < 3; ++n)
            angles[n] = -angles[n];

    const double ci = std::cos(angles[0]), si = std::sin(angles[0]);
    const double cj = std::cos(angles[1]), sj = std::sin(angles[1]);
    const double ch = std::cos(angles[2]), sh = std::sin(angles[2]);
    const double cc = ci * ch, cs = ci * sh, sc = si * ch, ss = si * sh;

    // block[p][q] is the element (row axis p, column axis q), p and q
    // counting the convention's axes i, j, k.
    double block[3][3];
    if (config.m_bRepeatFirstAxis)
    {
        block[0][0] = cj, block[0][1] = sj * sh, block[0][2] = -sj * ch;
        block[1][0] = sj * si, block[1][1] = cc - cj * ss, block[1][2] = cj * sc + cs;
        block[2][0] = sj * ci, block[2][1] = -cj * cs - sc, block[2][2] = cj * cc - ss;
    }
    else
    {
        block[0][0] = cj * ch, block[0][1] = cj * sh, block[0][2] = -sj;
        block[1][0] = sj * sc - cs, block[1][1] = sj * ss + cc, block[1][2] = cj * si;
        block[2][0] = sj * cc + ss, block[2][1] = sj * cs - sc, block[2][2] = cj * ci;
    }
    // Axes as unsigned offsets, so that each store is one addressed move.
    const std::size_t axes[3] = {static_cast<std::size_t>(config.m_nFirstAxis),
                                 static_cast<std::size_t>(config.m_nSecondAxis),
                                 static_cast<std::size_t>(config.m_nThirdAxis)};
    for (std::size_t p = 0; p < 3; ++p)
    {
        double* row = m_matrix + 4 * axes[p];
        for (std::size_t q = 0; q < 3; ++q)
            row[axes[q]] = block[p][q];
    }
    return true;
}

bool CZnTransform::GetEulerAngles(double* angles)
{
    const CGoogleEarthConfig& config = convention();
    const auto i = static_cast<std::size_t>(config.m_nFirstAxis);
    const auto j = static_cast<std::size_t>(config.m_nSecondAxis);
    const auto k = static_cast<std::size_t>(config.m_nThirdAxis);
    const auto e = [this](std::size_t row, std::size_t column) { return m_matrix[4 * row + column]; };

    double a0, a1, a2;
    if (config.m_bRepeatFirstAxis)
    {
        const double sy = std::sqrt(e(j, i) * e(j, i) + e(k, i) * e(k, i));
        const bool locked = !(sy > kGimbalThreshold);
        a0 = locked ? std::atan2(-e(k, j), e(j, j)) : std::atan2(e(j, i), e(k, i));
        a1 = std::atan2(sy, e(i, i));
        a2 = locked ? 0.0 : std::atan2(e(i, j), -e(i, k));
    }
    else
    {
        const double cy = std::sqrt(e(i, i) * e(i, i) + e(i, j) * e(i, j));
        const bool locked = !(cy > kGimbalThreshold);
        a0 = locked ? std::atan2(-e(k, j), e(j, j)) : std::atan2(e(j, k), e(k, k));
        a1 = std::atan2(-e(i, k), cy);
        a2 = locked ? 0.0 : std::atan2(e(i, j), e(i, i));
    }
    if (!config.m_bKeepSigns)
        a0 = -a0, a1 = -a1, a2 = -a2;
    if (config.m_bSwapFirstAndThird)
        std::swap(a0, a2);
    angles[0] = a0;
    angles[1] = a1;
    angles[2] = a2;
    return true;
}

CGoogleEarthConfig* CZnTransform::GoogleConfig()
{
    if (s_pGoogleEarthConfig == nullptr)
        s_pGoogleEarthConfig = new (std::nothrow) CGoogleEarthConfig();
    return s_pGoogleEarthConfig;
}
