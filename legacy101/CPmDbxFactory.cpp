#include "host/legacy101/CPmDbxFactory.h"

#include "host/legacy101/CPmAcadSim.h"
#include "host/legacy101/CZnAcadBlock.h"
#include "legacy101/CZnAcadPart.h"

CPmSim* CPmDbxFactory::LoadSim(const CString& name)
{
    CIvAcadObject* stored = nullptr;
    if (CIvAcadObject::Load(CPmAcadSim::kDictionary, name, &stored) != Acad::eOk)
        return nullptr;
    const CPmAcadSim* sim = CPmAcadSim::cast(stored);
    CPmAcadSim* copy = sim != nullptr ? new CPmAcadSim(*sim) : nullptr;
    stored->close();
    // The record does not hold the name; the key it is stored under is it.
    if (copy != nullptr)
        copy->SetName(name);
    return copy;
}

CPmSim* CPmDbxFactory::MakeSim(unsigned __int64 id, int type)
{
    auto* sim = new CPmAcadSim();
    sim->SetId(id);
    sim->SetType(type);
    return sim;
}

CPmSection* CPmDbxFactory::MakeSection(double speed, int speedUnits)
{
    return new CPmSection(speed, speedUnits);
}

CPmSegment* CPmDbxFactory::MakeSegment()
{
    return new CPmSegment();
}

CPmPart* CPmDbxFactory::MakePart()
{
    return new CZnAcadPart();
}

CZnBlock* CPmDbxFactory::CreateBlock(AcDbBlockReference* source)
{
    return new CZnAcadBlock(source);
}
