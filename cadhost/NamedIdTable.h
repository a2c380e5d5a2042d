// The name-to-id entries of a container object (a dictionary, the block
// table). Names compare exactly, letter case included, and the entries stay
// sorted by the UTF-16 code units of their names. An entry whose object is
// erased stays in place but is hidden from look-ups and counts, so that
// unerasing the object shows it again.
#pragma once

#include "cadhost/AcDbStub.h"
#include "host/AcDbObjectId.h"
#include "host/AcadErrorStatus.h"

#include <string>
#include <string_view>
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
    // Enters id under name, replacing whatever the name held.
    void put(std::wstring_view name, AcDbObjectId id);
    void remove(const Entry* entry);

    Adesk::UInt32 visibleCount() const;
    const std::vector<Entry>& entries() const { return mEntries; }

    // Filed as a count and then name and id of each entry. Into a drawing
    // file only visible entries go, because erased objects are not written;
    // other filers (undo) keep every entry.
    Acad::ErrorStatus writeTo(AcDbDwgFiler* filer) const;
    // Takes the entries in any order. eDuplicateKey for a record that names
    // an entry twice; after any failure the table is empty.
    Acad::ErrorStatus readFrom(AcDbDwgFiler* filer);

private:
    static bool keyLess(std::wstring_view a, std::wstring_view b);
    static bool sameKey(std::wstring_view a, std::wstring_view b);
    std::vector<Entry>::const_iterator lowerBound(std::wstring_view name) const;

    std::vector<Entry> mEntries;
};
} // namespace cadhost
