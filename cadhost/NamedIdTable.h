// The name-to-id entries of a container object (a dictionary, the block
// table). Names compare without letter case (NameComparison.h) and the
// entries stay in NameOrder. An entry keeps the spelling it was last stored
// under. An entry whose object is erased stays in place but is hidden from
// look-ups and counts.
//
// Drawings written before names ignored case may hold names that differ by
// case alone. Such entries are all kept, side by side; a look-up finds the
// one spelled exactly as asked, else the first of them.
#pragma once

#include "cadhost/AcDbStub.h"
#include "host/AcDbObjectId.h"
#include "host/AcadErrorStatus.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class AcDbDwgFiler;

namespace cadhost
{
class NamedIdTable
{
public:
    struct Entry
    {
        std::wstring name;
        AcDbObjectId id;
    };

    // Walks over a container ask this of every entry, so it reads the stub
    // and goes no further.
    static bool isVisible(const Entry& entry)
    {
        const AcDbStub* stub = entry.id;
        return stub != nullptr && stub->object() != nullptr && !stub->isErased();
    }

    // The entry of name; hidden ones only with includeErased. Null if none.
    const Entry* find(std::wstring_view name, bool includeErased = false) const;
    const Entry* findId(AcDbObjectId id) const;
    // Enters id under name, replacing the entry a look-up of name finds,
    // hidden or not, which takes name's spelling.
    void put(std::wstring_view name, AcDbObjectId id);
    void remove(const Entry* entry);

    Adesk::UInt32 visibleCount() const;
    const std::vector<Entry>& entries() const { return mEntries; }

    // Filed as a count and then name and id of each entry. Into a drawing
    // file only visible entries go, because erased objects are not written;
    // other filers (undo) keep every entry.
    Acad::ErrorStatus writeTo(AcDbDwgFiler* filer) const;
    // Takes the entries in any order. eDuplicateKey for a record that names
    // an entry twice, spelled alike; after any failure the table is empty.
    Acad::ErrorStatus readFrom(AcDbDwgFiler* filer);

private:
    using Iterator = std::vector<Entry>::const_iterator;
    // The entries whose names equal name without letter case.
    std::pair<Iterator, Iterator> sameName(std::wstring_view name) const;
    // What find would answer, as a place in the entries; end() for none.
    Iterator lookUp(std::wstring_view name, bool includeErased) const;

    std::vector<Entry> mEntries;
};
} // namespace cadhost
