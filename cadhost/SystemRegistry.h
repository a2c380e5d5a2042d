// The host's own access to the system registry's dictionaries. They are
// reached here without the class test that acrxClassDictionary makes,
// because that test needs descriptors that the class dictionary may still
// be receiving while the registry is made.
#pragma once

#include "host/AcRxClass.h"
#include "host/AcRxDictionary.h"

namespace cadhost
{
AcRxDictionary* classDictionary();
AcRxDictionary* serviceDictionary();

// The descriptor entered under name in the class dictionary; null for a null
// name, a name with no entry, or an entry that is not a descriptor.
AcRxClass* registeredClass(const ACHAR* name);
} // namespace cadhost
