#include "cadhost/AcRxImpClass.h"
#include "cadhost/SystemRegistry.h"

namespace
{
AcRxClass* registerClass(const AcRxImpClass::Definition& definition)
{
    AcRxDictionary* classes = cadhost::classDictionary();
    if (definition.name == nullptr || classes->has(definition.name))
        return nullptr;
    AcRxClass* cls = AcRxImpClass::makeClass(definition);
    classes->atPut(definition.name, cls);
    AcRxImpClass::of(*cls).linkToRegisteredParent();
    return cls;
}
} // namespace

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName,
                        const ACHAR* appName)
{
    return registerClass({className, parentClassName, 0, 0, proxyFlags, pseudoConstructor,
                          dxfName, appName, nullptr});
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintVersion, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName,
                        const ACHAR* appName, AppNameChangeFuncPtr func)
{
    return registerClass({className, parentClassName, dwgVersion, maintVersion, proxyFlags,
                          pseudoConstructor, dxfName, appName, func});
}

void deleteAcRxClass(AcRxClass* pClassObj)
{
    if (pClassObj == nullptr || AcRxImpClass::liveClasses().count(pClassObj) == 0 ||
        AcRxImpClass::of(*pClassObj).isHostClass())
        return;
    delete pClassObj;
}

void acrxBuildClassHierarchy()
{
    for (AcRxClass* cls : AcRxImpClass::liveClasses())
        AcRxImpClass::of(*cls).linkToRegisteredParent();
}
