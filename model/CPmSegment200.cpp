#include "model/CPmSegment200.h"

#include "model/CPmPart.h"

#include <sstream>

CPmSegment200::CPmSegment200() = default;

CPmSegment200::CPmSegment200(CPmPart* part, bool) : m_part(part) {}

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
