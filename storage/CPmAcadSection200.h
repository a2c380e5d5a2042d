// A section as it lives in a drawing: it files its own record (speed as held
// in miles per hour, unit code, segment count, then each segment's record)
// and, when a segment is added, first moves the segment's part blocks to
// the start of its path.
#pragma once

#include "model/CPmSection200.h"

class CPmAcadSection200 : public CPmSection200
{
public:
    CPmAcadSection200() = default;
    // Deep copies, as any section copies; a copy moves no block.
    explicit CPmAcadSection200(const CPmSection200& section) : CPmSection200(section) {}
    CPmAcadSection200(const CPmAcadSection200& other) : CPmSection200(other) {}
    // Converted from the previous release, as any section converts.
    explicit CPmAcadSection200(const CPmSection& legacy) : CPmSection200(legacy) {}

    // Moves the block of the segment's part and those of its direct
    // sub-parts to the segment's first path point, then adds the segment as
    // any section does. A segment without positions or without a part moves
    // nothing and is still added; the statuses of the moves are not looked at.
    void AddSegment(CPmSegment200* segment) override;

    using CPmSection200::Load;
    using CPmSection200::Save;
    void Save(AcDbDwgFiler* filer) const override;
    // Reads into a freshly made section. Segments read are appended without
    // moving any block: reading a drawing must leave it as it is.
    void Load(AcDbDwgFiler* filer) override;
};
