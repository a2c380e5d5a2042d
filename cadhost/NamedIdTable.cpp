#include "cadhost/NamedIdTable.h"

#include "cadhost/FilingRules.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/TextEncoding.h"
#include "host/AcDbDwgFiler.h"

#include <algorithm>

namespace cadhost
{
// Every look-up, insertion and the sort on reading order and match names by
// this one comparison, so that a change of how names compare is made here.
bool NamedIdTable::keyLess(std::wstring_view a, std::wstring_view b)
{
    return Utf16Less()(a, b);
}

bool NamedIdTable::sameKey(std::wstring_view a, std::wstring_view b)
{
    return !keyLess(a, b) && !keyLess(b, a);
}

std::vector<NamedIdTable::Entry>::const_iterator
NamedIdTable::lowerBound(std::wstring_view name) const
{
    return std::lower_bound(mEntries.begin(), mEntries.end(), name,
                            [](const Entry& entry, std::wstring_view key) {
                                return keyLess(entry.name, key);
                            });
}

const NamedIdTable::Entry* NamedIdTable::find(std::wstring_view name, bool includeErased) const
{
    const auto at = lowerBound(name);
    if (at == mEntries.end() || !sameKey(at->name, name))
        return nullptr;
    return includeErased || isVisible(*at) ? &*at : nullptr;
}

const NamedIdTable::Entry* NamedIdTable::findId(AcDbObjectId id) const
{
    const auto at = std::find_if(mEntries.begin(), mEntries.end(), [id](const Entry& entry) {
        return entry.id == id && isVisible(entry);
    });
    return at != mEntries.end() ? &*at : nullptr;
}

void NamedIdTable::put(std::wstring_view name, AcDbObjectId id)
{
    const auto at = lowerBound(name);
    if (at != mEntries.end() && sameKey(at->name, name))
        mEntries[static_cast<std::size_t>(at - mEntries.begin())].id = id;
    else
        mEntries.insert(at, Entry{std::wstring(name), id});
}

void NamedIdTable::remove(const Entry* entry)
{
    mEntries.erase(mEntries.begin() + (entry - mEntries.data()));
}

Adesk::UInt32 NamedIdTable::visibleCount() const
{
    return static_cast<Adesk::UInt32>(std::count_if(mEntries.begin(), mEntries.end(), isVisible));
}

Acad::ErrorStatus NamedIdTable::writeTo(AcDbDwgFiler* filer) const
{
    const bool onlyVisible = !filesErasedObjects(filer);
    filer->writeUInt32(onlyVisible ? visibleCount() : static_cast<Adesk::UInt32>(mEntries.size()));
    for (const Entry& entry : mEntries)
    {
        if (onlyVisible && !isVisible(entry))
            continue;
        filer->writeString(entry.name.c_str());
        filer->writeHardOwnershipId(entry.id);
    }
    return filer->filerStatus();
}

// A record may list its entries in any order (a file written elsewhere, or
// by hand); they are gathered as they come and sorted once, so that reading
// takes time in proportion to the record whatever the order.
Acad::ErrorStatus NamedIdTable::readFrom(AcDbDwgFiler* filer)
{
    mEntries.clear();
    Adesk::UInt32 count = 0;
    filer->readUInt32(&count);
    std::vector<Entry> entries;
    for (Adesk::UInt32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i)
    {
        std::wstring name = readFiledText(*filer);
        AcDbHardOwnershipId id;
        filer->readHardOwnershipId(&id);
        entries.push_back(Entry{std::move(name), id});
    }
    if (filer->filerStatus() != Acad::eOk)
        return filer->filerStatus();
    const auto byKey = [](const Entry& a, const Entry& b) { return keyLess(a.name, b.name); };
    std::sort(entries.begin(), entries.end(), byKey);
    const auto sameName = [](const Entry& a, const Entry& b) { return sameKey(a.name, b.name); };
    if (std::adjacent_find(entries.begin(), entries.end(), sameName) != entries.end())
        return Acad::eDuplicateKey;
    mEntries = std::move(entries);
    return Acad::eOk;
}
} // namespace cadhost
