// The factory's list members: lists of the working drawing's simulations.
#include "model/CPmSim200.h"
#include "storage/CPmAcadSimList200.h"
#include "storage/CPmDbxFactory200.h"

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
