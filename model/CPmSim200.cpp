#include "model/CPmSim200.h"

#include "host/CrtTime.h"
#include "host/legacy101/CPmSim.h"
#include "model/CPmPart.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/PieceCopies.h"
#include "storage/CPmDbxFactory200.h"

#include <cwchar>
#include <sstream>

namespace
{
CString localTimeText(CTime time)
{
    const __time64_t seconds = time.GetTime();
    struct tm local;
    if (_localtime64_s(&local, &seconds) != 0)
        return CString();
    wchar_t text[128];
    if (std::wcsftime(text, 128, L"%c", &local) == 0)
        return CString();
    return CString(text);
}
} // namespace

CPmSim200::CPmSim200() : m_dttmCreated(CTime::GetCurrentTime()), m_dttmEdited(m_dttmCreated) {}

CPmSim200::CPmSim200(const CPmSim200& other) : m_isCurVersion(other.m_isCurVersion)
{
    CopyRecord(other);
}

CPmSim200::CPmSim200(const CPmSim& legacy)
{
    CopyRecord(legacy);
}

template <class Sim> void CPmSim200::CopyRecord(const Sim& other)
{
    m_name = *other.Name();
    m_length = other.Length();
    m_dttmCreated = other.DttmCreatedTime();
    m_dttmEdited = CTime::GetCurrentTime();
    m_displayIndex = other.DisplayIndex();
    m_type = other.Type();
    m_id = other.Id();
    m_simInUse = other.SimInUse() != 0;
    AppendCopies(m_sections, *other.Sections(),
                 [](const auto& section) { return CPmDbxFactory200::CopySection(section); });
}

CPmSim200::~CPmSim200()
{
    for (CPmSection200* section : m_sections)
        delete section;
}

int CPmSim200::Delete()
{
    for (CPmSection200* section : m_sections)
    {
        if (section == nullptr)
            continue;
        for (CPmSegment200* segment : *section->Segments())
        {
            if (segment == nullptr || segment->Part() == nullptr)
                continue;
            const int status = segment->Part()->RemoveBlock();
            if (status != 0)
                return status;
        }
    }
    return 0;
}

CString CPmSim200::DttmCreated() const
{
    return localTimeText(m_dttmCreated);
}

CString CPmSim200::DttmEdited() const
{
    return localTimeText(m_dttmEdited);
}

CPmSection200* CPmSim200::Section(int& pos)
{
    for (CPmSection200* section : m_sections)
    {
        if (section == nullptr)
            continue;
        if (section->Length() > pos)
            return section;
        pos -= section->Length();
    }
    return nullptr;
}

void CPmSim200::AddSection(CPmSection200* section)
{
    if (section == nullptr)
        return;
    m_length += section->Length();
    m_sections.push_back(section);
}

void CPmSim200::DisplayPrint(std::wstringstream& stream) const
{
    stream << L"\nCPmSim: \n";
    stream << L"  name: " << m_name.GetString() << std::endl;
    stream << L"  len: " << m_length << std::endl;
    stream << L"  sections: \n";
    for (const CPmSection200* section : m_sections)
        if (section != nullptr)
            section->DisplayPrint(stream);
}

std::wstringstream& operator<<(std::wstringstream& stream, const CPmSim200& sim)
{
    sim.DisplayPrint(stream);
    return stream;
}
