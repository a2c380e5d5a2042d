#include "cadhost/AcRxImpClass.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/SystemRegistry.h"
#include "host/AcRxDictionary.h"

AcRxClass* AcRxImpClass::makeClass(const Definition& definition)
{
    auto* cls = new AcRxClass(new AcRxImpClass(definition));
    cls->mpImp->mSelf = cls;
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
    : mName(definition.name), mParentName(optionalText(definition.parentName)),
      mDwgVersion(definition.dwgVersion), mMaintVersion(definition.maintVersion),
      mProxyFlags(definition.proxyFlags), mPseudoConstructor(definition.pseudoConstructor),
      mDxfName(optionalText(definition.dxfName)), mAppName(optionalText(definition.appName)),
      mAppNameChange(definition.appNameChange)
{
}

// A descriptor that goes takes its dictionary entry with it and leaves its
// children unlinked, so no parent chain ever reaches freed memory.
AcRxImpClass::~AcRxImpClass()
{
    mutableLiveClasses().erase(mSelf);
    for (AcRxClass* other : liveClasses())
    {
        if (other->mpImp->mParent == mSelf)
            other->mpImp->mParent = nullptr;
    }
    AcRxDictionary* classes = cadhost::classDictionary();
    if (classes->at(mName.c_str()) == mSelf)
        classes->remove(mName.c_str());
}

void AcRxImpClass::linkToRegisteredParent()
{
    AcRxClass* parent = cadhost::registeredClass(textOrNull(mParentName));
    if (parent == nullptr || !parent->isDerivedFrom(mSelf))
        mParent = parent;
}

ACRX_DEFINE_HOST_MEMBERS(AcRxClass, ACRX_T("AcRxObject"), nullptr, nullptr);

AcRxClass::AcRxClass(AcRxImpClass* imp) : mpImp(imp) {}

AcRxClass::~AcRxClass()
{
    delete mpImp;
}

const ACHAR* AcRxClass::name() const
{
    return mpImp->mName.c_str();
}

const ACHAR* AcRxClass::dxfName() const
{
    return textOrNull(mpImp->mDxfName);
}

const ACHAR* AcRxClass::appName() const
{
    return textOrNull(mpImp->mAppName);
}

void AcRxClass::getClassVersion(int& dwgVer, int& maintVer) const
{
    dwgVer = mpImp->mDwgVersion;
    maintVer = mpImp->mMaintVersion;
}

int AcRxClass::proxyFlags() const
{
    return mpImp->mProxyFlags;
}

AcRxClass* AcRxClass::myParent() const
{
    return mpImp->mParent;
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
    for (const AcRxClass* cls = this; cls != nullptr; cls = cls->mpImp->mParent)
    {
        if (cls == other)
            return true;
    }
    return false;
}

AppNameChangeFuncPtr AcRxClass::appNameCallbackPtr() const
{
    return mpImp->mAppNameChange;
}

AcRxPseudoConstructor AcRxClass::pseudoConstructor() const
{
    return mpImp->mPseudoConstructor;
}

AcRxObject* AcRxClass::create()
{
    return mpImp->mPseudoConstructor != nullptr ? mpImp->mPseudoConstructor() : nullptr;
}
