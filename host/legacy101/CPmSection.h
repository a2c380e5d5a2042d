// The previous release's section: a speed held in miles per hour with the
// code of the unit it was given in, a length in positions, and the segments,
// which it owns.
//
// Declared as far as this module uses it; the accessors are inline, so this
// module reads a legacy section without linking the previous release's
// module. The rest is defined in that module.
#pragma once

#include "host/legacy101/CPmSegment.h"

#include <vector>

class AcDbDwgFiler;

class CPmSection
{
public:
    CPmSection();
    // Speed and unit code as they are to be held, nothing converted.
    CPmSection(double speed, int speedUnits);
    CPmSection(const CPmSection& other);
    CPmSection& operator=(const CPmSection&) = delete;
    virtual ~CPmSection();
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Load(AcDbDwgFiler* filer);

    double Speed() const { return m_speed; }
    int SpeedUnits() const { return m_speedUnits; }
    int Length() const { return m_length; }
    const std::vector<CPmSegment*>* Segments() const { return &m_segments; }

    // Takes the segment and takes its length; null is not added.
    void AddSegment(CPmSegment* segment);

protected:
    double m_speed = 10.0;
    int m_speedUnits = 0;
    int m_length = 0;
    std::vector<CPmSegment*> m_segments;
};
