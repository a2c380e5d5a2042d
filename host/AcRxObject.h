// The root of the host's run-time class system.
#pragma once

#include "host/WinTypes.h"

class AcRxClass;
class AcRxObject;

// Declares the run-time identity members that every registered class has:
// its descriptor, the class test on conversion, and isA.
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                                  \
    static AcRxClass* gpDesc;                                                             \
    static AcRxClass* desc();                                                             \
    static CLASS_NAME* cast(const AcRxObject* inPtr)                                      \
    {                                                                                     \
        return (inPtr == nullptr || !inPtr->isKindOf(CLASS_NAME::desc()))                 \
                   ? nullptr                                                              \
                   : static_cast<CLASS_NAME*>(const_cast<AcRxObject*>(inPtr));            \
    }                                                                                     \
    AcRxClass* isA() const override

class AcRxObject
{
public:
    virtual ~AcRxObject();

    static AcRxClass* gpDesc;
    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* inPtr) { return const_cast<AcRxObject*>(inPtr); }

    // True when this object's class is aClass or derives from it.
    bool isKindOf(const AcRxClass* aClass) const;
    virtual AcRxClass* isA() const;

protected:
    AcRxObject() = default;
    AcRxObject(const AcRxObject&) = default;
    AcRxObject& operator=(const AcRxObject&) = default;
};
