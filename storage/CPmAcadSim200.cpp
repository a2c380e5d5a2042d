#include "storage/CPmAcadSim200.h"

#include "host/AcDbDwgFiler.h"
#include "host/AcDbHandle.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/RecordReading.h"
#include "storage/SimDictionary.h"
#include "storage/SimIdentifiers.h"
#include "storage/TimeBlock.h"

#include <algorithm>

namespace
{
constexpr Adesk::Int32 kRecordVersion = 200;

// What a time block that cannot be read leaves in the filer, so that the host
// keeps the record as it was instead of an object read in part.
constexpr Acad::ErrorStatus kMalformedRecord = Acad::eDwgObjectImproperlyRead;

void writeTime(AcDbDwgFiler* filer, CTime time)
{
    const SYSTEMTIME block = EncodeTimeBlock(time);
    filer->writeBytes(&block, sizeof block);
}

bool readTime(AcDbDwgFiler* filer, CTime& time)
{
    SYSTEMTIME block{};
    filer->readBytes(&block, sizeof block);
    return DecodeTimeBlock(block, time);
}

void readSections(AcDbDwgFiler* filer, Adesk::Int32 count, CPmSim200& sim)
{
    for (Adesk::Int32 i = 0; i < count && StillReading(filer); ++i)
    {
        auto* section = new CPmAcadSection200();
        section->Load(filer);
        sim.AddSection(section);
    }
}
} // namespace

CPmAcadSim200::CPmAcadSim200() = default;

CPmAcadSim200::CPmAcadSim200(const CPmSim200& sim) : CPmSim200(sim) {}

CPmAcadSim200::CPmAcadSim200(const CPmSim& legacy) : CPmSim200(legacy) {}

CPmAcadSim200::CPmAcadSim200(const CPmAcadSim200& other) : CIvAcadObject(other), CPmSim200(other)
{
}

CPmAcadSim200::~CPmAcadSim200() = default;

CPmSim200* CPmAcadSim200::Load(const CString& name)
{
    const AcDbObjectId id = CIvAcadObject::GetObjectId(kSimDictionary, name);
    AcDbObject* opened = nullptr;
    if (acdbOpenAcDbObject(opened, id, AcDb::kForRead, desc(), false) != Acad::eOk)
        return nullptr;
    // Without the class registered the open makes no class test: what was
    // opened may be a proxy or anything else stored under the name.
    CPmAcadSim200* sim = cast(opened);
    if (sim == nullptr || !sim->m_isCurVersion)
    {
        opened->close();
        return nullptr;
    }
    sim->m_name = name;
    return sim;
}

int CPmAcadSim200::Save()
{
    if (!m_isCurVersion)
        return -1;
    ReleaseIdFromOtherSims();
    return CIvAcadObject::Save(kSimDictionary, m_name, this);
}

int CPmAcadSim200::Update()
{
    return Save();
}

int CPmAcadSim200::Close()
{
    return close();
}

int CPmAcadSim200::Delete()
{
    const int blocksRemoved = CPmSim200::Delete();
    return blocksRemoved + CIvAcadObject::Delete(kSimDictionary, m_name);
}

// Each simulation that gives the identifier up is stored again as a fresh
// copy (edit time now) with identifier 0. A store that fails is not
// reported; the copy is then freed.
void CPmAcadSim200::ReleaseIdFromOtherSims()
{
    for (const CString& key : OtherStoredSimsWithId(m_name, m_id))
    {
        CPmSim200* copy = CPmDbxFactory200::LoadSim(key);
        if (copy == nullptr)
            continue;
        copy->SetId(0);
        // Every simulation the factory hands out is a stored-simulation
        // object.
        if (CIvAcadObject::Save(kSimDictionary, key, static_cast<CPmAcadSim200*>(copy)) != Acad::eOk)
            CPmDbxFactory200::DeleteSim(copy);
    }
}

void CPmAcadSim200::DiscardSections()
{
    for (CPmSection200* section : m_sections)
        delete section;
    m_sections.clear();
    m_length = 0;
}

Acad::ErrorStatus CPmAcadSim200::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(pFiler);
    pFiler->writeInt32(kRecordVersion);
    pFiler->writeInt32(m_type);
    pFiler->writeAcDbHandle(AcDbHandle(static_cast<Adesk::UInt64>(m_id)));
    pFiler->writeBool(m_simInUse);
    writeTime(pFiler, m_dttmCreated);
    writeTime(pFiler, m_dttmEdited);
    const auto count = std::count_if(m_sections.begin(), m_sections.end(),
                                     [](const CPmSection200* section) { return section != nullptr; });
    const Acad::ErrorStatus es = pFiler->writeInt32(static_cast<Adesk::Int32>(count));
    for (const CPmSection200* section : m_sections)
        if (section != nullptr)
            section->Save(pFiler);
    return es;
}

// Everything in front of the sections is read into locals first: a record of
// another version, or one whose times cannot be read, leaves the object as it
// was. Sections already held go only once the record has proved readable, as
// the host files an object in again when it cancels changes to it.
Acad::ErrorStatus CPmAcadSim200::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(pFiler);
    Adesk::Int32 version = 0;
    pFiler->readInt32(&version);
    if (version != kRecordVersion)
    {
        m_isCurVersion = false;
        return Acad::eMakeMeProxy;
    }
    Adesk::Int32 type = 0;
    AcDbHandle id;
    bool inUse = false;
    CTime created;
    CTime edited;
    pFiler->readInt32(&type);
    pFiler->readAcDbHandle(&id);
    pFiler->readBool(&inUse);
    if (!readTime(pFiler, created) || !readTime(pFiler, edited))
    {
        pFiler->setFilerStatus(kMalformedRecord);
        return kMalformedRecord;
    }
    DiscardSections();
    m_type = type;
    m_id = static_cast<Adesk::UInt64>(id);
    m_simInUse = inUse;
    m_dttmCreated = created;
    m_dttmEdited = edited;
    Adesk::Int32 count = 0;
    const Acad::ErrorStatus es = pFiler->readInt32(&count);
    readSections(pFiler, count, *this);
    return es;
}
