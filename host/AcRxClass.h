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
// acrxBuildClassHierarchy links it later). A name that the class dictionary
// holds already is refused: the answer is null and the registered class stays
// as it was, so one name never stands for two descriptors. Whatever optional
// argument is not given (DXF name, application name) reads back as null.
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags = 0,
                        AcRxPseudoConstructor pseudoConstructor = nullptr,
                        const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintVersion, int proxyFlags = 0,
                        AcRxPseudoConstructor pseudoConstructor = nullptr,
                        const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr,
                        AppNameChangeFuncPtr func = nullptr);

// Remove the descriptor from the class dictionary and free it; classes that
// named it as their parent are left without one until it is registered again
// and the hierarchy is rebuilt. The host's own classes, and pointers that are
// no live descriptor (null, or one deleted already), are left alone.
void deleteAcRxClass(AcRxClass* pClassObj);

// Link every registered class to the class registered under its parent's
// name. A link that would make a chain loop (a class naming itself or a
// descendant as its parent) is not made.
void acrxBuildClassHierarchy();
