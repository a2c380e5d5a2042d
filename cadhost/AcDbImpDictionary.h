// The host's state behind AcDbDictionary: its entries, and the iterators
// that walk them.
#pragma once

#include "cadhost/NamedIdTable.h"
#include "host/AcDbDictionary.h"

class AcDbImpDictionary
{
public:
    static AcDbImpDictionary* of(const AcDbDictionary* dictionary) { return dictionary->mpImpDict; }

    cadhost::NamedIdTable& table() { return mTable; }
    const cadhost::NamedIdTable& table() const { return mTable; }

    AcDbDictionaryIterator* newIterator() const { return new AcDbDictionaryIterator(this); }

    // Takes the entry out; its object stays, without an owner.
    AcDbObjectId removeEntry(const cadhost::NamedIdTable::Entry* entry);

private:
    cadhost::NamedIdTable mTable;
};
