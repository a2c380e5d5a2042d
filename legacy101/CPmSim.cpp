#include "host/legacy101/CPmSim.h"

#include "model/PieceCopies.h"

CPmSim::CPmSim() : m_dttmCreated(CTime::GetCurrentTime()), m_dttmEdited(m_dttmCreated) {}

CPmSim::CPmSim(const CPmSim& other)
    : m_name(other.m_name), m_length(other.m_length), m_dttmCreated(other.m_dttmCreated),
      m_dttmEdited(other.m_dttmEdited), m_displayIndex(other.m_displayIndex),
      m_type(other.m_type), m_id(other.m_id), m_simInUse(other.m_simInUse)
{
    AppendCopies(m_sections, other.m_sections,
                 [](const CPmSection& section) { return new CPmSection(section); });
}

CPmSim::~CPmSim()
{
    for (CPmSection* section : m_sections)
        delete section;
}

void CPmSim::AddSection(CPmSection* section)
{
    if (section == nullptr)
        return;
    m_length += section->Length();
    m_sections.push_back(section);
}
