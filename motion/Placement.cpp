#include "motion/Placement.h"

#include "model/PmPosition200.h"

Placement Placement::Moved(const dpoint3d& offset) const
{
    double x = offset.x;
    double y = offset.y;
    double z = offset.z;
    rotation.Turn(x, y, z);
    return {{point.x + x, point.y + y, point.z + z}, rotation};
}

Affine2 Placement::TopView() const
{
    double m[3][3];
    rotation.Matrix(m);
    return {m[0][0], m[1][0], m[0][1], m[1][1], point.x, point.y};
}

Affine2 Placement::PlaceAtOffset(const dpoint3d& offset) const
{
    return Moved(offset).TopView();
}

Placement PlacementAt(const PmPosition200& position)
{
    return {position.pt, Rotation::Of(position.transform)};
}

Placement Sample(const Placement& from, const Placement& to, double f)
{
    const dpoint3d& a = from.point;
    const dpoint3d& b = to.point;
    return {{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y), a.z + f * (b.z - a.z)},
            Sample(from.rotation, to.rotation, f)};
}
