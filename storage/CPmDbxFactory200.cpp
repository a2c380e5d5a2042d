// The factory: making and copying simulations and their pieces, loading and
// giving back stored simulations, lists of them, and the upgrade of the
// previous release's simulations.
#include "storage/CPmDbxFactory200.h"

#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmAcadSimList200.h"
#include "storage/LegacySims.h"
#include "storage/SimDictionary.h"

#include <new>

namespace
{
// A copy of the converted simulation, marked so that Save refuses it until it
// is upgraded; the converted object in between belongs to no drawing and is
// freed.
CPmSim200* loadLegacySim(const CString& name)
{
    CPmAcadSim200* converted = ConvertLegacySim(name);
    if (converted == nullptr)
        return nullptr;
    converted->SetIsCurVersion(false);
    CPmSim200* copy = CPmDbxFactory200::CopySim(*converted);
    delete converted;
    return copy;
}
} // namespace

// Simulations are database objects: the host's allocator makes them, and it
// reports its own failures.
CPmSim200* CPmDbxFactory200::MakeSim(unsigned __int64 id, int type)
{
    auto* sim = new CPmAcadSim200();
    sim->SetId(id);
    sim->SetType(type);
    return sim;
}

CPmSim200* CPmDbxFactory200::CopySim(const CPmSim200& sim)
{
    return new CPmAcadSim200(sim);
}

CPmSection200* CPmDbxFactory200::MakeSection()
{
    return new (std::nothrow) CPmAcadSection200();
}

CPmSection200* CPmDbxFactory200::CopySection(const CPmSection200& section)
{
    return new (std::nothrow) CPmAcadSection200(section);
}

CPmSection200* CPmDbxFactory200::CopySection(const CPmSection& section)
{
    return new (std::nothrow) CPmAcadSection200(section);
}

CPmSegment200* CPmDbxFactory200::MakeSegment()
{
    return new (std::nothrow) CPmAcadSegment200();
}

CPmSegment200* CPmDbxFactory200::CopySegment(const CPmSegment200& segment)
{
    return new (std::nothrow) CPmAcadSegment200(segment);
}

CPmSegment200* CPmDbxFactory200::CopySegment(const CPmSegment& segment)
{
    return new (std::nothrow) CPmAcadSegment200(segment);
}

CPmPart* CPmDbxFactory200::MakePart()
{
    return new (std::nothrow) CPmAcadPart();
}

CPmPart* CPmDbxFactory200::CopyPart(const CPmPart& part)
{
    return new (std::nothrow) CPmAcadPart(part);
}

CPmSim200* CPmDbxFactory200::LoadSim(const CString& name)
{
    CPmSim200* stored = CPmAcadSim200::Load(name);
    if (stored == nullptr)
        return loadLegacySim(name);
    CPmSim200* copy = CopySim(*stored);
    stored->Close();
    return copy;
}

// A simulation in no drawing is the caller's and is freed; a stored one is
// the drawing's, so only its open (if any) is ended, its changes dropped.
void CPmDbxFactory200::DeleteSim(CPmSim200* sim)
{
    if (sim == nullptr)
        return;
    auto* object = dynamic_cast<CPmAcadSim200*>(sim);
    if (object != nullptr && !object->objectId().isNull())
        object->cancel();
    else
        delete sim;
}

int CPmDbxFactory200::DeleteSim(const CString& name)
{
    CPmSim200* sim = LoadSim(name);
    if (sim == nullptr)
        return kSimNotFound;
    const bool inUse = sim->SimInUse() != 0;
    if (!inUse)
        sim->Delete();
    DeleteSim(sim);
    return inUse ? kSimInUse : kSimDeleted;
}

CPmSimList200* CPmDbxFactory200::MakeSimList()
{
    return new CPmAcadSimList200();
}

// The status of filling the list is dropped: a caller sees what the list
// holds.
CPmSimList200* CPmDbxFactory200::LoadSimList(bool loadAll, bool upgrade)
{
    auto* list = new CPmAcadSimList200();
    list->Load(loadAll, upgrade);
    return list;
}

void CPmDbxFactory200::LoadSimNames(std::vector<CString>& names)
{
    names.clear();
    CPmAcadSimList200 list;
    list.Load(true, false);
    for (int i = 0; i < list.Size(); ++i)
        names.push_back(*list.Sim(i)->Name());
}

// The converted simulation takes the legacy entry's place under the same
// name. When it cannot be stored it belongs to no drawing and is freed.
void CPmDbxFactory200::UpgradeSim(const CString& name)
{
    if (CPmSim200* stored = CPmAcadSim200::Load(name))
    {
        stored->Close();
        return;
    }
    CPmAcadSim200* converted = ConvertLegacySim(name);
    if (converted == nullptr)
        return;
    converted->SetIsCurVersion(true);
    if (CIvAcadObject::Save(kSimDictionary, name, converted) != Acad::eOk)
        DeleteSim(converted);
}
