// The host's run-time dictionaries and its system registry.
#pragma once

#include "host/AcRxObject.h"

class AcRxImpDictionary;

// Keys compare exactly, letter case included. The dictionary does not own
// what it holds: whoever enters an object takes it back with remove (or as
// the previous object from atPut) and frees it. A null key or object is not
// entered.
class AcRxDictionary : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcRxDictionary);
    AcRxDictionary();
    ~AcRxDictionary() override;
    AcRxDictionary(const AcRxDictionary&) = delete;
    AcRxDictionary& operator=(const AcRxDictionary&) = delete;

    AcRxObject* at(const ACHAR* key) const;
    // Enters pObject under key and hands back what the key held before.
    AcRxObject* atPut(const ACHAR* key, AcRxObject* pObject);
    // Removes the entry and hands its object back to the caller.
    AcRxObject* remove(const ACHAR* key);
    bool has(const ACHAR* key) const;
    Adesk::UInt32 numEntries() const;

private:
    AcRxImpDictionary* mpImp;
};

#define ACRX_CLASS_DICTIONARY ACRX_T("ClassDictionary")
#define ACRX_SERVICE_DICTIONARY ACRX_T("ServiceDictionary")

AcRxDictionary* acrxSysRegistry();

#define acrxClassDictionary AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY))
#define acrxServiceDictionary AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_SERVICE_DICTIONARY))
