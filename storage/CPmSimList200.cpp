#include "storage/CPmSimList200.h"

#include "model/CPmSim200.h"
#include "storage/CPmDbxFactory200.h"

CPmSimList200::CPmSimList200() = default;

CPmSimList200::~CPmSimList200()
{
    for (CPmSim200* sim : m_sims)
        CPmDbxFactory200::DeleteSim(sim);
}

int CPmSimList200::Size() const
{
    return static_cast<int>(m_sims.size());
}

int CPmSimList200::Index(const CString& name) const
{
    for (std::size_t i = 0; i < m_sims.size(); ++i)
        if (m_sims[i] != nullptr && m_sims[i]->Name()->CompareNoCase(name) == 0)
            return static_cast<int>(i);
    return -1;
}

CPmSim200* CPmSimList200::Sim(const CString& name) const
{
    return Sim(Index(name));
}

CPmSim200* CPmSimList200::Sim(int index) const
{
    if (index < 0 || index >= Size())
        return nullptr;
    return m_sims[static_cast<std::size_t>(index)];
}

void CPmSimList200::Add(CPmSim200* sim)
{
    m_sims.push_back(sim);
}

void CPmSimList200::SetSimInUse(const CString& name)
{
    for (CPmSim200* sim : m_sims)
        if (sim != nullptr && *sim->Name() == name)
            sim->SetSimInUse(true);
}

void CPmSimList200::ResetUse()
{
    for (CPmSim200* sim : m_sims)
        if (sim != nullptr)
            sim->SetSimInUse(false);
}

int CPmSimList200::Save()
{
    int status = 0;
    for (CPmSim200* sim : m_sims)
        if (sim != nullptr)
            status += sim->Update();
    return status;
}

void CPmSimList200::DebugPrint()
{
    for (CPmSim200* sim : m_sims)
        if (sim != nullptr)
            sim->DebugPrint();
}
