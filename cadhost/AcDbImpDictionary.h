// The host's state behind AcDbDictionary: its entries, and the iterators
// that walk them.
#pragma once

#include "cadhost/NamedIdTable.h"
#include "host/AcDbDictionary.h"

#include <string>

class AcDbImpDictionary
{
public:
    explicit AcDbImpDictionary(AcDbDictionary* self) : mSelf(self) {}
    static AcDbImpDictionary* of(const AcDbDictionary* dictionary) { return dictionary->mpImpDict; }

    cadhost::NamedIdTable& table() { return mTable; }
    const cadhost::NamedIdTable& table() const { return mTable; }

    AcDbDictionaryIterator* newIterator() const { return new AcDbDictionaryIterator(this); }

    // Takes the entry out; its object stays, without an owner.
    AcDbObjectId removeEntry(const cadhost::NamedIdTable::Entry* entry);
    // Enters id under name, replacing the entry a look-up of name finds.
    void putEntry(const std::wstring& name, AcDbObjectId id);
    // An erased entry's object that is unerased does not bring its entry
    // back: the host drops the entry then, and the object has no owner.
    void forgetEntryOf(AcDbObjectId id);

private:
    // Both changes record for undo only the entry they change.
    void recordUndoOf(const std::wstring& name);

    AcDbDictionary* mSelf;
    cadhost::NamedIdTable mTable;
};
