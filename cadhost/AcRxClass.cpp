#include "cadhost/AcRxImpClass.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/SystemRegistry.h"
#include "host/AcRxDictionary.h"

AcRxClass* AcRxImpClass::makeClass(const Definition& definition)
{
    auto* cls = new AcRxClass(new AcRxImpClass(definition));
    cls->mpImp->m_self = cls;
    mutableLiveClasses().insert(cls);
    return cls;
}

std::set<AcRxClass*>& AcRxImpClass::mutableLiveClasses()
{
    // Never destroyed: descriptors may still be deleted while statics go.
    static auto* live = new std::set<AcRxClass*>();
    return *live;
}

const std::set<AcRxClass*>& AcRxImpClass::liveClasses()
{
    return mutableLiveClasses();
}

namespace
{
std::optional<std::wstring> optionalText(const ACHAR* text)
{
    return text != nullptr ? std::optional<std::wstring>(text) : std::nullopt;
}

const ACHAR* textOrNull(const std::optional<std::wstring>& text)
{
    return text ? text->c_str() : nullptr;
}
} // namespace

AcRxImpClass::AcRxImpClass(const Definition& definition)
    : m_name(definition.name), m_parentName(optionalText(definition.parentName)),
      m_dwgVersion(definition.dwgVersion), m_maintVersion(definition.maintVersion),
      m_proxyFlags(definition.proxyFlags), m_pseudoConstructor(definition.pseudoConstructor),
      m_dxfName(optionalText(definition.dxfName)), m_appName(optionalText(definition.appName)),
      m_appNameChange(definition.appNameChange)
{
}

// A descriptor that goes takes its dictionary entry with it and leaves its
// children unlinked, so no parent chain ever reaches freed memory.
AcRxImpClass::~AcRxImpClass()
{
    mutableLiveClasses().erase(m_self);
    for (AcRxClass* other : liveClasses())
    {
        if (other->mpImp->m_parent == m_self)
            other->mpImp->m_parent = nullptr;
    }
    AcRxDictionary* classes = cadhost::classDictionary();
    if (classes->at(m_name.c_str()) == m_self)
        classes->remove(m_name.c_str());
}

void AcRxImpClass::linkToRegisteredParent()
{
    AcRxClass* parent = cadhost::registeredClass(textOrNull(m_parentName));
    if (parent == nullptr || !parent->isDerivedFrom(m_self))
        m_parent = parent;
}

ACRX_DEFINE_HOST_MEMBERS(AcRxClass, ACRX_T("AcRxObject"), nullptr, nullptr);

AcRxClass::AcRxClass(AcRxImpClass* imp) : mpImp(imp) {}

AcRxClass::~AcRxClass()
{
    delete mpImp;
}

const ACHAR* AcRxClass::name() const
{
    return mpImp->m_name.c_str();
}

const ACHAR* AcRxClass::dxfName() const
{
    return textOrNull(mpImp->m_dxfName);
}

const ACHAR* AcRxClass::appName() const
{
    return textOrNull(mpImp->m_appName);
}

void AcRxClass::getClassVersion(int& dwgVer, int& maintVer) const
{
    dwgVer = mpImp->m_dwgVersion;
    maintVer = mpImp->m_maintVersion;
}

int AcRxClass::proxyFlags() const
{
    return mpImp->m_proxyFlags;
}

AcRxClass* AcRxClass::myParent() const
{
    return mpImp->m_parent;
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
    for (const AcRxClass* cls = this; cls != nullptr; cls = cls->mpImp->m_parent)
    {
        if (cls == other)
            return true;
    }
    return false;
}

AppNameChangeFuncPtr AcRxClass::appNameCallbackPtr() const
{
    return mpImp->m_appNameChange;
}

AcRxPseudoConstructor AcRxClass::pseudoConstructor() const
{
    return mpImp->m_pseudoConstructor;
}

AcRxObject* AcRxClass::create()
{
    return mpImp->m_pseudoConstructor != nullptr ? mpImp->m_pseudoConstructor() : nullptr;
}
