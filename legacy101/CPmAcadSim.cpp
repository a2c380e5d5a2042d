// The stored simulation of the previous release and its record. After the
// host's own part, the version-101 record holds, in this order:
//
//   Int32    101, the record version
//   Int32    type
//   UInt64   identifier
//   Int32    display index
//   Bool     in-use mark
//   Int64    creation time, seconds since 1970-01-01 00:00:00 UTC
//   Int64    edit time, likewise
//   Int32    length in positions
//   Int32    number of sections, then each section's record:
//     Double   speed in miles per hour
//     Int32    code of the unit the speed was given in
//     Int32    length in positions
//     Int32    number of segments, then each segment's record:
//       the part's record:
//         Point3d  offset
//         Handle   the block's reference (0 for none)
//         String   text
//         Int32    number of sub-parts, then each sub-part's record
//       Int32    length in positions
//       Int32    number of positions, then each position:
//         Point3d pt, Double heading about Z in radians, Point3d tpt
//
// The name is not in the record: it is the key the record is stored under.
#include "host/legacy101/CPmAcadSim.h"

#include "host/AcDbDwgFiler.h"
#include "legacy101/PieceFiling.h"

namespace
{
constexpr Adesk::Int32 kRecordVersion = 101;
} // namespace

CPmAcadSim::CPmAcadSim() = default;

CPmAcadSim::CPmAcadSim(const CPmAcadSim& other) : CIvAcadObject(other), CPmSim(other) {}

CPmAcadSim::~CPmAcadSim() = default;

int CPmAcadSim::Save()
{
    return CIvAcadObject::Save(kDictionary, m_name, this);
}

int CPmAcadSim::Update()
{
    return Save();
}

int CPmAcadSim::Close()
{
    return close();
}

int CPmAcadSim::Delete()
{
    return CIvAcadObject::Delete(kDictionary, m_name);
}

void CPmAcadSim::DiscardSections()
{
    for (CPmSection* section : m_sections)
        delete section;
    m_sections.clear();
}

Acad::ErrorStatus CPmAcadSim::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(pFiler);
    pFiler->writeInt32(kRecordVersion);
    pFiler->writeInt32(m_type);
    pFiler->writeUInt64(m_id);
    pFiler->writeInt32(m_displayIndex);
    pFiler->writeBool(m_simInUse);
    pFiler->writeInt64(m_dttmCreated.GetTime());
    pFiler->writeInt64(m_dttmEdited.GetTime());
    pFiler->writeInt32(m_length);
    WritePieces(pFiler, m_sections);
    return pFiler->filerStatus();
}

// The fields are read into locals first, so that a record of another
// version, or one cut short before its sections, leaves the object as it
// was. Sections already held go before the new ones are read, as the host
// files an object in again when it cancels changes to it.
Acad::ErrorStatus CPmAcadSim::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(pFiler);
    Adesk::Int32 version = 0;
    pFiler->readInt32(&version);
    if (version != kRecordVersion)
        return StillReading(pFiler) ? Acad::eMakeMeProxy : pFiler->filerStatus();
    Adesk::Int32 type = 0;
    Adesk::UInt64 id = 0;
    Adesk::Int32 displayIndex = 0;
    bool inUse = false;
    Adesk::Int64 created = 0;
    Adesk::Int64 edited = 0;
    Adesk::Int32 length = 0;
    pFiler->readInt32(&type);
    pFiler->readUInt64(&id);
    pFiler->readInt32(&displayIndex);
    pFiler->readBool(&inUse);
    pFiler->readInt64(&created);
    pFiler->readInt64(&edited);
    pFiler->readInt32(&length);
    if (!StillReading(pFiler))
        return pFiler->filerStatus();
    DiscardSections();
    m_type = type;
    m_id = id;
    m_displayIndex = displayIndex;
    m_simInUse = inUse;
    m_dttmCreated = CTime(created);
    m_dttmEdited = CTime(edited);
    m_length = length;
    ReadPieces<CPmSection>(pFiler, m_sections);
    return pFiler->filerStatus();
}
