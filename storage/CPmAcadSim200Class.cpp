// The run-time class of the stored simulation: its registration with the
// host, its descriptor and the factory the host makes empty objects with
// before it reads them from a drawing.
#include "storage/CPmAcadSim200.h"

#include "host/AcRx.h"
#include "host/AcRxDictionary.h"

namespace
{
const ACHAR* const kClassName = ACRX_T("CPmAcadSim200");
const ACHAR* const kParentName = ACRX_T("AcDbObject");
const ACHAR* const kDxfName = ACRX_T("CPMACADSIM200");
constexpr int kDwgVersion = 27;
constexpr int kMaintVersion = 25;
// A proxy that the host keeps while the module is absent may be erased, and
// nothing else may be done to it.
constexpr int kProxyFlags = 1;

// What the host shows for proxies of the class. Labels are padded so that
// every value starts in the nineteenth column of its field.
const ACHAR* const kAppName = ACRX_T("\"ZnSim200_2007.dbx    |")
    ACRX_T("Product Desc:     Orvane Simulation Object    |")
    ACRX_T("Company:          Orvane    |")
    ACRX_T("WEB Address:      https://www.orvane.example\";");

AcRxObject* makeEmptySim()
{
    return new CPmAcadSim200();
}

// Asked for once per load; desc, which falls back on it, is asked for at
// every class test, so this stays out of its way.
[[gnu::cold]] AcRxClass* registeredUnderOurName()
{
    return AcRxClass::cast(acrxClassDictionary->at(kClassName));
}
} // namespace

AcRxClass* CPmAcadSim200::gpDesc = nullptr;

AcRxClass* CPmAcadSim200::desc()
{
    if (gpDesc == nullptr)
        gpDesc = registeredUnderOurName();
    return gpDesc;
}

AcRxClass* CPmAcadSim200::isA() const
{
    return desc();
}

void CPmAcadSim200::rxInit()
{
    rxInit(nullptr);
}

void CPmAcadSim200::rxInit(AppNameChangeFuncPtr func)
{
    if (gpDesc != nullptr)
    {
        const AcRxClass* registered = registeredUnderOurName();
        if (registered == gpDesc)
            return;
        if (registered != nullptr)
            acrx_abort(ACRX_T("Class mismatch"));
    }
    gpDesc = newAcRxClass(kClassName, kParentName, kDwgVersion, kMaintVersion, kProxyFlags,
                          &makeEmptySim, kDxfName, kAppName, func);
}
