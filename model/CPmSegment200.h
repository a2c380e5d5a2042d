// The motion of one part during one section: the part and the run of path
// positions it passes through. The length counts positions; AddPath adds to
// it, SetLength overrides it.
//
// The segment owns its part and deletes it when it goes. AddPart replaces
// the part pointer without deleting the part held before, which becomes the
// caller's to free. A copy is deep: the part is copied through the factory of
// drawing-bound pieces. Assignment is deleted, as a memberwise one would leave
// two owners of one part.
#pragma once

#include "model/PmPosition200.h"

#include <iosfwd>
#include <vector>

class AcDbDwgFiler;
class CIvMstnObject;
class CPmPart;
class CPmSegment;
class CZnBlock;

class CPmSegment200
{
public:
    CPmSegment200();
    // Takes the part. The flag is accepted for callers' sake and changes nothing.
    CPmSegment200(CPmPart* part, bool flag);
    // The length as it is held, a deep copy of the part (none when there is
    // none) and a copy of each position.
    CPmSegment200(const CPmSegment200& other);
    // The previous release's segment converted: each heading becomes a
    // placement that moves to the point in the drawing plane (its height is
    // not used) and turns about the Z axis.
    explicit CPmSegment200(const CPmSegment& legacy);
    CPmSegment200& operator=(const CPmSegment200&) = delete;
    virtual ~CPmSegment200();
    // Filing is done by the drawing-bound segment; nothing is filed here.
    virtual void Save(CIvMstnObject* object) const;
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Load(CIvMstnObject* object);
    virtual void Load(AcDbDwgFiler* filer);

    int Length() const { return m_length; }
    void SetLength(int length) { m_length = length; }
    CPmPart* Part() const { return m_part; }
    void AddPart(CPmPart* part) { m_part = part; }
    // The block of the segment's part; null when there is no part.
    CZnBlock* Block() const;

    std::vector<PmPosition200>* Positions() { return &m_positions; }
    const std::vector<PmPosition200>* Positions() const { return &m_positions; }
    // The position at index, or null past the end. The pointer lasts until
    // positions are added or removed.
    PmPosition200* Position(unsigned int index);
    // Appends copies of the positions after those held and adds their number
    // to the length.
    void AddPath(const std::vector<PmPosition200>& path);

    void DisplayPrint(std::wstringstream& stream) const;

protected:
    int m_length = 0;
    std::vector<PmPosition200> m_positions;
    CPmPart* m_part = nullptr;

private:
    // Takes over the record of a segment of either release, copying its part
    // deeply and its positions into this release's form.
    template <class Segment> void CopyRecord(const Segment& other);
};

std::wstringstream& operator<<(std::wstringstream& stream, const CPmSegment200& segment);
