// Run-time class descriptors and their registration with the host.
#pragma once

#include "host/AcRxObject.h"

class AcRxImpClass;

typedef AcRxObject* (*AcRxPseudoConstructor)();
typedef void (*AppNameChangeFuncPtr)(const AcRxClass* classObj, ACHAR*& newAppName, int saveVer);

class AcRxClass : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcRxClass);
    ~AcRxClass() override;
    AcRxClass(const AcRxClass&) = delete;
    AcRxClass& operator=(const AcRxClass&) = delete;

    const ACHAR* name() const;
    const ACHAR* dxfName() const;
    const ACHAR* appName() const;
    void getClassVersion(int& dwgVer, int& maintVer) const;
    int proxyFlags() const;
    AcRxClass* myParent() const;
    bool isDerivedFrom(const AcRxClass* other) const;
    AppNameChangeFuncPtr appNameCallbackPtr() const;
    AcRxPseudoConstructor pseudoConstructor() const;

    // A new object of the class through its pseudo-constructor; null when the
    // class has none.
    AcRxObject* create();

private:
    friend class AcRxImpClass;
    explicit AcRxClass(AcRxImpClass* imp);
    AcRxImpClass* mpImp;
};

// Create a class descriptor, enter it in the class dictionary under its name
// and link it to its parent (when the parent is registered already; otherwise
// acrxBuildClassHierarchy links it later).
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags = 0,
                        AcRxPseudoConstructor pseudoConstructor = nullptr,
                        const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintVersion, int proxyFlags = 0,
                        AcRxPseudoConstructor pseudoConstructor = nullptr,
                        const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr,
                        AppNameChangeFuncPtr func = nullptr);

// Remove the descriptor from the class dictionary and free it.
void deleteAcRxClass(AcRxClass* pClassObj);

// Link every registered class to its parent by name.
void acrxBuildClassHierarchy();
