// The host's own run-time classes (AcRxObject's family and AcDbObject's)
// register themselves: each definition leaves a registrar behind, and the
// class dictionary enters every registered host class, linked to its parent,
// when the system registry is first made. So a drawing that names a host
// class finds it even if no code has asked for its descriptor yet.
#pragma once

#include "host/AcRxClass.h"

namespace cadhost
{
struct HostClassInfo
{
    const ACHAR* name;
    const ACHAR* parentName; // null for the root
    const ACHAR* dxfName;    // null when the class has none
    AcRxPseudoConstructor pseudoConstructor; // null for abstract classes
};

class HostClassRegistrar
{
public:
    explicit HostClassRegistrar(const HostClassInfo& info);
};

// The descriptor of a host class by name, making the registry first if
// needed; null for a name that no host class has.
AcRxClass* hostClassDesc(const ACHAR* name);
} // namespace cadhost

// Defines gpDesc, desc() and isA() of a host class declared with
// ACRX_DECLARE_MEMBERS, and registers the class.
#define ACRX_DEFINE_HOST_MEMBERS(CLASS_NAME, PARENT_NAME, DXF_NAME, PSEUDO_CTOR)               \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                \
    AcRxClass* CLASS_NAME::desc()                                                           \
    {                                                                                       \
        if (gpDesc == nullptr)                                                              \
            gpDesc = cadhost::hostClassDesc(ACRX_T(#CLASS_NAME));                           \
        return gpDesc;                                                                      \
    }                                                                                       \
    AcRxClass* CLASS_NAME::isA() const { return desc(); }                                   \
    static const cadhost::HostClassRegistrar s_##CLASS_NAME##Registrar(                     \
        cadhost::HostClassInfo{ACRX_T(#CLASS_NAME), PARENT_NAME, DXF_NAME, PSEUDO_CTOR})
