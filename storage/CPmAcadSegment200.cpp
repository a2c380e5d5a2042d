#include "storage/CPmAcadSegment200.h"

#include "geometry/HostPoint.h"
#include "storage/CPmAcadPart.h"
#include "storage/RecordReading.h"

namespace
{
// The placement is filed as the three Euler angles of its 3x3 block; its
// translation is the point itself, and a scale is not kept.
void writePosition(AcDbDwgFiler* filer, const PmPosition200& position)
{
    filer->writePoint3d(ToHostPoint(position.pt));
    // Reading the angles changes nothing, though the transform's interface
    // does not say so; a copy per position would cost more than the filing.
    double angles[3];
    const_cast<CZnTransform&>(position.transform).GetEulerAngles(angles);
    for (const double angle : angles)
        filer->writeDouble(angle);
    filer->writePoint3d(ToHostPoint(position.tpt));
}

// A position's record: two points and three angles.
constexpr std::size_t kPositionRecordBytes = 9 * sizeof(double);

PmPosition200 readPosition(AcDbDwgFiler* filer)
{
    PmPosition200 position;
    AcGePoint3d pt;
    filer->readPoint3d(&pt);
    double angles[3] = {0.0, 0.0, 0.0};
    for (double& angle : angles)
        filer->readDouble(&angle);
    position.pt = FromHostPoint(pt);
    position.transform.Reset();
    position.transform.SetTranslation(CZnVector(pt.x, pt.y, pt.z));
    position.transform.SetEulerAngles(angles);
    AcGePoint3d tpt;
    filer->readPoint3d(&tpt);
    position.tpt = FromHostPoint(tpt);
    return position;
}
} // namespace

void CPmAcadSegment200::Save(AcDbDwgFiler* filer) const
{
    if (m_part != nullptr)
        m_part->Save(filer);
    else
        CPmAcadPart().Save(filer);
    filer->writeInt32(static_cast<Adesk::Int32>(m_positions.size()));
    for (const PmPosition200& position : m_positions)
        writePosition(filer, position);
}

void CPmAcadSegment200::Load(AcDbDwgFiler* filer)
{
    auto* part = new CPmAcadPart();
    m_part = part;
    part->Load(filer);
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    m_positions.reserve(RecordsThatFit(filer, count, kPositionRecordBytes));
    for (Adesk::Int32 n = 0; n < count && StillReading(filer); ++n)
        m_positions.push_back(readPosition(filer));
    m_length = static_cast<int>(m_positions.size());
}
