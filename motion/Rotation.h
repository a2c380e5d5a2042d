// A turn in space as a unit quaternion (w, x, y, z). Positions file their
// placement as a rotation matrix; a quaternion is what can be sampled along
// the shorter way between two of them, and packs in four numbers.
#pragma once

class CZnTransform;

struct Rotation
{
    double w = 1.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    // The rotation of the transform's 3x3 block, which must be orthonormal
    // (a filed placement always is); its translation is not looked at.
    static Rotation Of(const CZnTransform& transform);
    // The 3x3 block of this rotation, row-major.
    void Matrix(double m[3][3]) const;
    // The vector (vx, vy, vz) turned, written back in place.
    void Turn(double& vx, double& vy, double& vz) const;
};

// The rotation a fraction f (0..1) of the way from `from` to `to`, turning
// about one fixed axis the shorter way round (spherical interpolation).
[[nodiscard]] Rotation Sample(const Rotation& from, const Rotation& to, double f);
