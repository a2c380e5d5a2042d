// The host's private side of a class descriptor: everything newAcRxClass was
// given, the parent link, and the set of descriptors alive in the process.
// Only the host's run-time layer sees this.
#pragma once

#include "host/AcRxClass.h"

#include <optional>
#include <set>
#include <string>

class AcRxImpClass
{
public:
    struct Definition
    {
        const ACHAR* name;
        const ACHAR* parentName;
        int dwgVersion;
        int maintVersion;
        int proxyFlags;
        AcRxPseudoConstructor pseudoConstructor;
        const ACHAR* dxfName;
        const ACHAR* appName;
        AppNameChangeFuncPtr appNameChange;
    };

    // A new descriptor, not yet entered anywhere and not linked to a parent.
    static AcRxClass* makeClass(const Definition& definition);
    static AcRxImpClass& of(const AcRxClass& cls) { return *cls.mpImp; }

    // Every descriptor not yet destroyed. A pointer not in this set is not a
    // descriptor (any more), whatever a caller hands in.
    static const std::set<AcRxClass*>& liveClasses();

    explicit AcRxImpClass(const Definition& definition);
    ~AcRxImpClass();
    AcRxImpClass(const AcRxImpClass&) = delete;
    AcRxImpClass& operator=(const AcRxImpClass&) = delete;

    // Links the class to whatever the class dictionary holds under its
    // parent's name (nothing included), unless that would make the chain
    // loop back to it: a class naming itself, or two classes naming each
    // other; the link stays as it was then.
    void linkToRegisteredParent();

    // Host classes live as long as the process: their descriptors are cached.
    void markHostClass() { mHostClass = true; }
    bool isHostClass() const { return mHostClass; }

private:
    friend class AcRxClass;
    static std::set<AcRxClass*>& mutableLiveClasses();

    AcRxClass* mSelf = nullptr;
    std::wstring mName;
    std::optional<std::wstring> mParentName;
    int mDwgVersion;
    int mMaintVersion;
    int mProxyFlags;
    AcRxPseudoConstructor mPseudoConstructor;
    std::optional<std::wstring> mDxfName;
    std::optional<std::wstring> mAppName;
    AppNameChangeFuncPtr mAppNameChange;
    AcRxClass* mParent = nullptr;
    bool mHostClass = false;
};
