// A 4x4 homogeneous transform of doubles, applied to column vectors: a point
// (x, y, z) maps to rows 0..2 of M·(x, y, z, 1), a vector to rows 0..2 of
// M·(x, y, z, 0). The upper-left 3x3 block holds rotation and scale, column 3
// of rows 0..2 the translation; every transform built by this class keeps
// row 3 at (0, 0, 0, 1). Transforms are plain values.
//
// Euler angles (radians) follow one convention for the whole process, the
// CGoogleEarthConfig that GoogleConfig() hands out. It is made on first use
// and never freed; after that no operation allocates. Its first use must not
// happen on two threads at once.
#pragma once

#include "geometry/CGoogleEarthConfig.h"
#include "geometry/CZnPoint.h"
#include "geometry/CZnVector.h"

class CZnTransform
{
public:
    CZnTransform();
    CZnTransform(const CZnTransform& other);
    // The rotation by angle about a unit axis, without translation.
    CZnTransform(const CZnVector& axis, double angle);
    virtual ~CZnTransform() = default;

    CZnTransform& operator=(const CZnTransform& other);
    void Copy(const CZnTransform& other);
    void Reset();

    // Element (row, column), both 0..3; not range-checked.
    double& operator()(int row, int column) { return m_matrix[4 * row + column]; }
    double operator()(int row, int column) const { return m_matrix[4 * row + column]; }

    void SetTranslation(const CZnVector& t);
    void GetTranslation(CZnVector& t) const;
    // Multiplies the 3x3 block by s: repeated calls compound, and a later
    // rotation overwrites the scale.
    void SetScale(double s);
    // The three vectors become the columns of the 3x3 block, unchanged.
    void SetRotation(const CZnVector& x, const CZnVector& y, const CZnVector& z);
    void GetRotation(CZnVector& x, CZnVector& y, CZnVector& z) const;
    // Right-handed rotation by angle about a unit axis; overwrites the 3x3 block.
    void SetRotation(const CZnVector& axis, double angle);

    // out = M·in for a column (x, y, z, w); in and out must not overlap.
    void Multiply(const double in[4], double out[4]) const;
    CZnPoint operator*(const CZnPoint& p) const;
    CZnVector operator*(const CZnVector& v) const;
    // this·b: applied to a point, b acts first.
    CZnTransform Multiply(const CZnTransform& b) const;
    CZnTransform operator*(const CZnTransform& b) const;
    // The inverse of a rigid motion: transposed 3x3 block, translation moved
    // back. Wrong for a block that is not orthonormal (e.g. scaled).
    CZnTransform Inverse() const;

    // Overwrites the 3x3 block from three angles under the process convention.
    // The convention's swap and sign flags are applied to the caller's array
    // in place, and it keeps them. Always true.
    bool SetEulerAngles(double* angles);
    // Writes the three angles of the 3x3 block under the process convention.
    // Always true.
    bool GetEulerAngles(double* angles);

    // The process's convention, made with its defaults on first call; null
    // only when it cannot be allocated (the next call tries again).
    static CGoogleEarthConfig* GoogleConfig();

    // The transform carries no unit of its own, so unit changes leave it as is.
    void MasterToSubUnits() {}
    void SubToMasterUnits() {}

private:
    // For results that are filled completely right after construction.
    struct Uninitialised
    {
    };
    explicit CZnTransform(Uninitialised) {}

    double m_matrix[16];

    static CGoogleEarthConfig* s_pGoogleEarthConfig;
};
