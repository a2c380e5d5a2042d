// A segment as it lives in a drawing: it files its part's record and then
// its path positions, each as its point, the three Euler angles of its
// placement and its second point.
#pragma once

#include "model/CPmSegment200.h"

class CPmAcadSegment200 : public CPmSegment200
{
public:
    CPmAcadSegment200() = default;
    // Deep copies, as any segment copies.
    explicit CPmAcadSegment200(const CPmSegment200& segment) : CPmSegment200(segment) {}
    CPmAcadSegment200(const CPmAcadSegment200& other) : CPmSegment200(other) {}
    // Converted from the previous release, as any segment converts.
    explicit CPmAcadSegment200(const CPmSegment& legacy) : CPmSegment200(legacy) {}

    using CPmSegment200::Load;
    using CPmSegment200::Save;
    // A segment without a part is written with the record of an empty part,
    // so that a reader, which always reads one, stays in step.
    void Save(AcDbDwgFiler* filer) const override;
    // Reads into a freshly made segment: a new drawing-bound part, then the
    // positions, each placed as the rotation of its angles translated to its
    // point. The length becomes the number of positions read.
    void Load(AcDbDwgFiler* filer) override;
};
