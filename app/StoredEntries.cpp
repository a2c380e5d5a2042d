#include "app/StoredEntries.h"

#include "app/TextConversion.h"
#include "host/AcDbProxyObject.h"
#include "storage/CIvAcadObject.h"
#include "storage/SimDictionary.h"

namespace
{
// The erase-allowed bit of a class's proxy flags.
constexpr int kEraseAllowed = 0x1;

CStringArray StoredNames()
{
    CStringArray names;
    CIvAcadObject::GetObjectNames(kSimDictionary, &names);
    return names;
}
} // namespace

std::string StoredName(const std::string& name)
{
    const CString asked = HostText(name);
    const CStringArray names = StoredNames();
    std::optional<std::string> first;
    for (int i = 0; i < names.GetSize(); ++i)
    {
        if (names[i] == asked)
            return name;
        if (!first && names[i].CompareNoCase(asked) == 0)
            first = Utf8(names[i]);
    }
    return first.value_or(name);
}

// Keys come in the host's order, which ignores case, so colliding ones are
// neighbours.
std::vector<std::vector<std::string>> CollidingNames()
{
    const CStringArray names = StoredNames();
    std::vector<std::vector<std::string>> groups;
    for (int i = 1; i < names.GetSize(); ++i)
    {
        if (names[i].CompareNoCase(names[i - 1]) != 0)
            continue;
        const bool groupGoesOn = !groups.empty() && groups.back().back() == Utf8(names[i - 1]);
        if (!groupGoesOn)
            groups.push_back({Utf8(names[i - 1])});
        groups.back().push_back(Utf8(names[i]));
    }
    return groups;
}

std::optional<std::string> KeptReason(const std::string& name)
{
    AcDbProxyObject* proxy = nullptr;
    const AcDbObjectId id = CIvAcadObject::GetObjectId(kSimDictionary, HostText(name));
    if (acdbOpenObject(proxy, id, AcDb::kForRead) != Acad::eOk)
        return std::nullopt;
    std::optional<std::string> reason;
    if ((proxy->proxyFlags() & kEraseAllowed) == 0)
        reason = "is kept as a proxy of " + Utf8(std::wstring(proxy->originalClassName())) +
                 ", whose module is not loaded, and the host does not let it be erased";
    proxy->close();
    return reason;
}
