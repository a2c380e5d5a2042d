// The previous release's segment: one part moving along a run of positions
// that carry a heading rather than a placement. It owns its part.
//
// Declared as far as this module uses it; the accessors are inline, so this
// module reads a legacy segment without linking the previous release's
// module. The rest is defined in that module.
#pragma once

#include "host/legacy101/PmPosition.h"
#include "model/CPmPart.h"

#include <vector>

class AcDbDwgFiler;

class CPmSegment
{
public:
    CPmSegment();
    // A deep copy: the part and its blocks are copied as the previous
    // release's own.
    CPmSegment(const CPmSegment& other);
    CPmSegment& operator=(const CPmSegment&) = delete;
    virtual ~CPmSegment();
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Load(AcDbDwgFiler* filer);

    int Length() const { return m_length; }
    CPmPart* Part() const { return m_part; }
    const std::vector<PmPosition>* Positions() const { return &m_positions; }

    // Takes the part; the one held before becomes the caller's.
    void AddPart(CPmPart* part) { m_part = part; }
    // Appends the positions and adds their number to the length.
    void AddPath(const std::vector<PmPosition>& path);

protected:
    int m_length = 0;
    std::vector<PmPosition> m_positions;
    CPmPart* m_part = nullptr;
};
