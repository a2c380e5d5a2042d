#include "model/CPmSection200.h"

#include "host/legacy101/CPmSection.h"
#include "model/CPmSegment200.h"
#include "model/PieceCopies.h"
#include "storage/CPmDbxFactory200.h"

#include <sstream>

namespace
{
// Miles per hour in one unit of each speed code; code 0 is miles per hour,
// and multiplying by 1.0 leaves a double exactly as it was.
constexpr double kMilesPerHour[] = {1.0, 0.621371192, 1.15077945};
} // namespace

CPmSection200::CPmSection200() = default;

CPmSection200::CPmSection200(double speed, int speedUnits) : m_speed(speed), m_speedUnits(speedUnits)
{
}

CPmSection200::CPmSection200(const CPmSection200& other)
{
    CopyRecord(other);
}

CPmSection200::CPmSection200(const CPmSection& legacy)
{
    CopyRecord(legacy);
}

template <class Section> void CPmSection200::CopyRecord(const Section& other)
{
    m_speed = other.Speed();
    m_speedUnits = other.SpeedUnits();
    m_length = other.Length();
    AppendCopies(m_segments, *other.Segments(),
                 [](const auto& segment) { return CPmDbxFactory200::CopySegment(segment); });
}

CPmSection200::~CPmSection200()
{
    for (CPmSegment200* segment : m_segments)
        delete segment;
}

void CPmSection200::AddSegment(CPmSegment200* segment)
{
    if (segment == nullptr)
        return;
    m_length = segment->Length();
    m_segments.push_back(segment);
}

void CPmSection200::Save(CIvMstnObject*) const {}

void CPmSection200::Save(AcDbDwgFiler*) const {}

void CPmSection200::Load(CIvMstnObject*) {}

void CPmSection200::Load(AcDbDwgFiler*) {}

void CPmSection200::SetSpeed(double speed, int speedUnits)
{
    if (speedUnits < 0 || speedUnits > 2)
        return;
    m_speed = speed * kMilesPerHour[speedUnits];
    m_speedUnits = speedUnits;
}

void CPmSection200::DisplayPrint(std::wstringstream& stream) const
{
    stream << L"\nCPmSection: \n";
    stream << L"  speed: " << m_speed << std::endl;
    stream << L"  speed units: " << m_speedUnits << std::endl;
    stream << L"  len: " << m_length << std::endl;
    stream << L"  segments: \n";
    for (const CPmSegment200* segment : m_segments)
        if (segment != nullptr)
            segment->DisplayPrint(stream);
}

std::wstringstream& operator<<(std::wstringstream& stream, const CPmSection200& section)
{
    section.DisplayPrint(stream);
    return stream;
}
