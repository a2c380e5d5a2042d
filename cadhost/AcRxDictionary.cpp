#include "host/AcRxDictionary.h"

#include "cadhost/HostClassRegistrar.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

class AcRxImpDictionary
{
public:
    std::map<std::wstring, AcRxObject*, std::less<>> entries;
};

ACRX_DEFINE_HOST_MEMBERS(AcRxDictionary, ACRX_T("AcRxObject"), nullptr, nullptr);

AcRxDictionary::AcRxDictionary() : mpImp(new AcRxImpDictionary()) {}

AcRxDictionary::~AcRxDictionary()
{
    delete mpImp;
}

AcRxObject* AcRxDictionary::at(const ACHAR* key) const
{
    if (key == nullptr)
        return nullptr;
    const auto found = mpImp->entries.find(std::wstring_view(key));
    return found != mpImp->entries.end() ? found->second : nullptr;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* pObject)
{
    if (key == nullptr || pObject == nullptr)
        return nullptr;
    AcRxObject*& slot = mpImp->entries[key];
    AcRxObject* previous = slot;
    slot = pObject;
    return previous;
}

AcRxObject* AcRxDictionary::remove(const ACHAR* key)
{
    if (key == nullptr)
        return nullptr;
    const auto found = mpImp->entries.find(std::wstring_view(key));
    if (found == mpImp->entries.end())
        return nullptr;
    AcRxObject* object = found->second;
    mpImp->entries.erase(found);
    return object;
}

bool AcRxDictionary::has(const ACHAR* key) const
{
    return key != nullptr && mpImp->entries.count(std::wstring_view(key)) != 0;
}

Adesk::UInt32 AcRxDictionary::numEntries() const
{
    return static_cast<Adesk::UInt32>(mpImp->entries.size());
}
