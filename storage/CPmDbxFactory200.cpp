// The making and copying members of the factory; loading, deleting, listing
// and upgrading are with the stored simulations and their lists.
#include "storage/CPmDbxFactory200.h"

#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmAcadSim200.h"

#include <new>

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
