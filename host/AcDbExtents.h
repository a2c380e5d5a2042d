// A box aligned with the axes, as an entity's extents are given. An empty
// box has its minimum above its maximum, so that the first point added
// becomes both.
#pragma once

#include "host/AcGePoint3d.h"
#include "host/AcadErrorStatus.h"

#include <algorithm>

class AcDbExtents
{
public:
    AcDbExtents() = default;
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : mMin(min), mMax(max) {}

    AcGePoint3d minPoint() const { return mMin; }
    AcGePoint3d maxPoint() const { return mMax; }
    // eInvalidInput when min lies above max on an axis.
    Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max)
    {
        if (min.x > max.x || min.y > max.y || min.z > max.z)
            return Acad::eInvalidInput;
        mMin = min;
        mMax = max;
        return Acad::eOk;
    }
    void addPoint(const AcGePoint3d& pt)
    {
        mMin = {std::min(mMin.x, pt.x), std::min(mMin.y, pt.y), std::min(mMin.z, pt.z)};
        mMax = {std::max(mMax.x, pt.x), std::max(mMax.y, pt.y), std::max(mMax.z, pt.z)};
    }
    void addExt(const AcDbExtents& src)
    {
        if (src.mMin.x > src.mMax.x)
            return;
        addPoint(src.mMin);
        addPoint(src.mMax);
    }

private:
    static constexpr double kEmpty = 1e20;
    AcGePoint3d mMin{kEmpty, kEmpty, kEmpty};
    AcGePoint3d mMax{-kEmpty, -kEmpty, -kEmpty};
};
