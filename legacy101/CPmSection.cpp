#include "host/legacy101/CPmSection.h"

#include "legacy101/PieceFiling.h"
#include "model/PieceCopies.h"

CPmSection::CPmSection() = default;

CPmSection::CPmSection(double speed, int speedUnits) : m_speed(speed), m_speedUnits(speedUnits) {}

CPmSection::CPmSection(const CPmSection& other)
    : m_speed(other.m_speed), m_speedUnits(other.m_speedUnits), m_length(other.m_length)
{
    AppendCopies(m_segments, other.m_segments,
                 [](const CPmSegment& segment) { return new CPmSegment(segment); });
}

CPmSection::~CPmSection()
{
    for (CPmSegment* segment : m_segments)
        delete segment;
}

void CPmSection::AddSegment(CPmSegment* segment)
{
    if (segment == nullptr)
        return;
    m_length = segment->Length();
    m_segments.push_back(segment);
}

void CPmSection::Save(AcDbDwgFiler* filer) const
{
    filer->writeDouble(m_speed);
    filer->writeInt32(m_speedUnits);
    filer->writeInt32(m_length);
    WritePieces(filer, m_segments);
}

void CPmSection::Load(AcDbDwgFiler* filer)
{
    filer->readDouble(&m_speed);
    filer->readInt32(&m_speedUnits);
    filer->readInt32(&m_length);
    ReadPieces<CPmSegment>(filer, m_segments);
}
