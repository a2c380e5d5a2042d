// One section of a simulation: the speed it is played at, the unit that
// speed was given in, its length in path positions and the segments that
// move during it. The speed is always held in miles per hour; the unit code
// (0 miles per hour, 1 kilometres per hour, 2 knots) only records how it was
// given. The length is that of the segment added last.
//
// The section owns its segments and deletes them when it goes; AddSegment
// hands ownership over, and a null segment is not added. A copy is deep: each
// segment is copied through the factory of drawing-bound pieces. Assignment
// is deleted, as a memberwise one would leave two owners of the same
// segments.
#pragma once

#include <iosfwd>
#include <vector>

class AcDbDwgFiler;
class CIvMstnObject;
class CPmSection;
class CPmSegment200;

class CPmSection200
{
public:
    CPmSection200();
    // Stores speed and unit code as given, without converting the speed.
    CPmSection200(double speed, int speedUnits);
    // Speed, unit code and length as they are held (nothing is converted or
    // recomputed) and a deep copy of each segment.
    CPmSection200(const CPmSection200& other);
    // The previous release's section converted the same way, each segment
    // converted.
    explicit CPmSection200(const CPmSection& legacy);
    CPmSection200& operator=(const CPmSection200&) = delete;
    virtual ~CPmSection200();
    // Takes the segment and sets the length from it. Drawing-bound sections
    // place the part's blocks first and then call this.
    virtual void AddSegment(CPmSegment200* segment);
    // Filing is done by the drawing-bound section; nothing is filed here.
    virtual void Save(CIvMstnObject* object) const;
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Load(CIvMstnObject* object);
    virtual void Load(AcDbDwgFiler* filer);

    double Speed() const { return m_speed; }
    int SpeedUnits() const { return m_speedUnits; }
    // Converts speed from the given unit to miles per hour and records the
    // unit. An unknown unit code changes nothing.
    void SetSpeed(double speed, int speedUnits);
    int Length() const { return m_length; }
    void SetLength(int length) { m_length = length; }
    std::vector<CPmSegment200*>* Segments() { return &m_segments; }
    const std::vector<CPmSegment200*>* Segments() const { return &m_segments; }

    void DisplayPrint(std::wstringstream& stream) const;

protected:
    double m_speed = 10.0;
    int m_speedUnits = 0;
    int m_length = 0;
    std::vector<CPmSegment200*> m_segments;

private:
    // Takes over the record of a section of either release, copying its
    // segments deeply.
    template <class Section> void CopyRecord(const Section& other);
};

std::wstringstream& operator<<(std::wstringstream& stream, const CPmSection200& section);
