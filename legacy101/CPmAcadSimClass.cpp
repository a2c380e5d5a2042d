// The run-time class of the previous release's stored simulation: its
// registration and the factory the host makes empty objects with before it
// reads them from a drawing.
#include "host/legacy101/CPmAcadSim.h"

namespace
{
AcRxObject* makeEmptySim()
{
    return new CPmAcadSim();
}
} // namespace

AcRxClass* CPmAcadSim::gpDesc = nullptr;

AcRxClass* CPmAcadSim::desc()
{
    return gpDesc;
}

AcRxClass* CPmAcadSim::isA() const
{
    return desc();
}

void CPmAcadSim::rxInit()
{
    if (gpDesc == nullptr)
        gpDesc = newAcRxClass(ACRX_T("CPmAcadSim"), ACRX_T("AcDbObject"), 0, &makeEmptySim,
                              ACRX_T("CPMACADSIM"));
}
