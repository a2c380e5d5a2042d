#include "model/CPmSegment200.h"

#include "host/legacy101/CPmSegment.h"
#include "model/CPmPart.h"
#include "storage/CPmDbxFactory200.h"

#include <sstream>

namespace
{
// A position of this release is a plain value and is copied as it is.
const PmPosition200& ToPosition200(const PmPosition200& position)
{
    return position;
}

PmPosition200 ToPosition200(const PmPosition& legacy)
{
    PmPosition200 position{legacy.pt, legacy.tpt, CZnTransform()};
    position.transform.SetTranslation(CZnVector(legacy.pt.x, legacy.pt.y, 0.0));
    position.transform.SetRotation(CZnVector(0.0, 0.0, 1.0), legacy.angle);
    return position;
}
} // namespace

CPmSegment200::CPmSegment200() = default;

CPmSegment200::CPmSegment200(CPmPart* part, bool) : m_part(part) {}

CPmSegment200::CPmSegment200(const CPmSegment200& other)
{
    CopyRecord(other);
}

CPmSegment200::CPmSegment200(const CPmSegment& legacy)
{
    CopyRecord(legacy);
}

template <class Segment> void CPmSegment200::CopyRecord(const Segment& other)
{
    m_length = other.Length();
    if (other.Part() != nullptr)
        m_part = CPmDbxFactory200::CopyPart(*other.Part());
    m_positions.reserve(other.Positions()->size());
    for (const auto& position : *other.Positions())
        m_positions.push_back(ToPosition200(position));
}

CPmSegment200::~CPmSegment200()
{
    delete m_part;
}

void CPmSegment200::Save(CIvMstnObject*) const {}

void CPmSegment200::Save(AcDbDwgFiler*) const {}

void CPmSegment200::Load(CIvMstnObject*) {}

void CPmSegment200::Load(AcDbDwgFiler*) {}

CZnBlock* CPmSegment200::Block() const
{
    return m_part != nullptr ? m_part->Block() : nullptr;
}

PmPosition200* CPmSegment200::Position(unsigned int index)
{
    return index < m_positions.size() ? &m_positions[index] : nullptr;
}

void CPmSegment200::AddPath(const std::vector<PmPosition200>& path)
{
    // Index rather than iterate: path may be this segment's own positions,
    // and after the reserve no append moves them.
    const std::size_t count = path.size();
    m_positions.reserve(m_positions.size() + count);
    for (std::size_t n = 0; n < count; ++n)
        m_positions.push_back(path[n]);
    m_length += static_cast<int>(count);
}

void CPmSegment200::DisplayPrint(std::wstringstream& stream) const
{
    stream << L"\nCPmSegment: \n";
    if (m_part != nullptr)
        m_part->DisplayPrint(stream);
    stream << L"  Positions: \n";
    for (const PmPosition200& position : m_positions)
        stream << L"  pt: " << position.pt << L" tpt: " << position.tpt << std::endl;
}

std::wstringstream& operator<<(std::wstringstream& stream, const CPmSegment200& segment)
{
    segment.DisplayPrint(stream);
    return stream;
}
