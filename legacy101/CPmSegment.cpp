#include "host/legacy101/CPmSegment.h"

#include "geometry/HostPoint.h"
#include "host/AcDbDwgFiler.h"
#include "legacy101/CZnAcadPart.h"
#include "storage/RecordReading.h"

namespace
{
void writePosition(AcDbDwgFiler* filer, const PmPosition& position)
{
    filer->writePoint3d(ToHostPoint(position.pt));
    filer->writeDouble(position.angle);
    filer->writePoint3d(ToHostPoint(position.tpt));
}

PmPosition readPosition(AcDbDwgFiler* filer)
{
    AcGePoint3d pt;
    AcGePoint3d tpt;
    PmPosition position;
    filer->readPoint3d(&pt);
    filer->readDouble(&position.angle);
    filer->readPoint3d(&tpt);
    position.pt = FromHostPoint(pt);
    position.tpt = FromHostPoint(tpt);
    return position;
}
} // namespace

CPmSegment::CPmSegment() = default;

CPmSegment::CPmSegment(const CPmSegment& other)
    : m_length(other.m_length), m_positions(other.m_positions)
{
    if (const auto* part = dynamic_cast<const CZnAcadPart*>(other.m_part))
        m_part = new CZnAcadPart(*part);
}

CPmSegment::~CPmSegment()
{
    delete m_part;
}

void CPmSegment::AddPath(const std::vector<PmPosition>& path)
{
    m_positions.insert(m_positions.end(), path.begin(), path.end());
    m_length += static_cast<int>(path.size());
}

// A segment without a part is written with an empty part's record, so that
// the reader, which always reads one, stays in step.
void CPmSegment::Save(AcDbDwgFiler* filer) const
{
    if (m_part != nullptr)
        m_part->Save(filer);
    else
        CZnAcadPart().Save(filer);
    filer->writeInt32(m_length);
    filer->writeInt32(static_cast<Adesk::Int32>(m_positions.size()));
    for (const PmPosition& position : m_positions)
        writePosition(filer, position);
}

void CPmSegment::Load(AcDbDwgFiler* filer)
{
    auto* part = new CZnAcadPart();
    m_part = part;
    part->Load(filer);
    filer->readInt32(&m_length);
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    for (Adesk::Int32 n = 0; n < count && StillReading(filer); ++n)
        m_positions.push_back(readPosition(filer));
}
