#include "cadhost/NamedIdTable.h"

#include "cadhost/FilingRules.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/NameComparison.h"
#include "host/AcDbDwgFiler.h"

#include <algorithm>

namespace cadhost
{
namespace
{
// Compares an entry with a name, either way round, without letter case.
struct NoCaseBefore
{
    bool operator()(const NamedIdTable::Entry& entry, std::wstring_view name) const
    {
        return compareNoCase(entry.name, name) < 0;
    }
    bool operator()(std::wstring_view name, const NamedIdTable::Entry& entry) const
    {
        return compareNoCase(name, entry.name) < 0;
    }
};

bool inNameOrder(const NamedIdTable::Entry& a, const NamedIdTable::Entry& b)
{
    return NameOrder()(a.name, b.name);
}
} // namespace

std::pair<NamedIdTable::Iterator, NamedIdTable::Iterator>
NamedIdTable::sameName(std::wstring_view name) const
{
    return std::equal_range(mEntries.begin(), mEntries.end(), name, NoCaseBefore());
}

NamedIdTable::Iterator NamedIdTable::lookUp(std::wstring_view name, bool includeErased) const
{
    const auto [first, last] = sameName(name);
    Iterator found = mEntries.end();
    for (auto at = first; at != last; ++at)
    {
        if (!includeErased && !isVisible(*at))
            continue;
        if (at->name == name)
            return at;
        if (found == mEntries.end())
            found = at;
    }
    return found;
}

const NamedIdTable::Entry* NamedIdTable::find(std::wstring_view name, bool includeErased) const
{
    const auto at = lookUp(name, includeErased);
    return at != mEntries.end() ? &*at : nullptr;
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
    const auto at = lookUp(name, true);
    if (at != mEntries.end() && at->name == name)
    {
        mEntries[static_cast<std::size_t>(at - mEntries.begin())].id = id;
        return;
    }
    // A replaced entry takes the new spelling, and with it its place among
    // names that differ by case alone.
    if (at != mEntries.end())
        mEntries.erase(at);
    Entry entry{std::wstring(name), id};
    mEntries.insert(std::lower_bound(mEntries.begin(), mEntries.end(), entry, inNameOrder),
                    std::move(entry));
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

// A record may list its entries in any order (a file written elsewhere, by
// hand, or before names compared without letter case); they are gathered as
// they come and sorted once, so that reading takes time in proportion to the
// record whatever the order.
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
    std::sort(entries.begin(), entries.end(), inNameOrder);
    const auto spelledAlike = [](const Entry& a, const Entry& b) { return a.name == b.name; };
    if (std::adjacent_find(entries.begin(), entries.end(), spelledAlike) != entries.end())
        return Acad::eDuplicateKey;
    mEntries = std::move(entries);
    return Acad::eOk;
}
} // namespace cadhost
