#include "storage/SimIdentifiers.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbDictionary.h"
#include "storage/CPmAcadSim200.h"
#include "storage/LegacySims.h"
#include "storage/SimDictionary.h"
#include "storage/SubDictionaryForRead.h"

namespace
{
// The identifier of a stored entry that the factory would load: a current
// simulation of this release, or one of the previous release. False for
// anything else, which loads as nothing.
bool loadableSimId(const AcDbObject* entry, unsigned __int64& id)
{
    if (const CPmAcadSim200* sim = CPmAcadSim200::cast(entry))
    {
        id = sim->Id();
        return sim->IsCurVersion();
    }
    return StoredLegacySimId(entry, id);
}

// Whether the stored entry at id is a loadable simulation carrying simId.
// An entry that cannot be opened (someone writes it) loads as nothing.
bool carriesId(AcDbObjectId entryId, unsigned __int64 simId)
{
    AcDbObject* entry = nullptr;
    if (acdbOpenAcDbObject(entry, entryId, AcDb::kForRead) != Acad::eOk)
        return false;
    unsigned __int64 id = 0;
    const bool carries = loadableSimId(entry, id) && id == simId;
    entry->close();
    return carries;
}
} // namespace

bool HasBrokenBlockTie(unsigned __int64 id)
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbObjectId tied;
    if (db == nullptr ||
        db->getAcDbObjectId(tied, false, AcDbHandle(static_cast<Adesk::UInt64>(id))) != Acad::eOk)
        return false;
    AcDbBlockReference* reference = nullptr;
    if (acdbOpenObject(reference, tied, AcDb::kForRead) != Acad::eOk)
        return true;
    reference->close();
    return false;
}

// One walk over the dictionary, opening each entry only long enough to read
// its identifier; the names are compared only for entries that match. The
// tie is the same for every match, so it is looked up once, and only when
// something matched.
std::vector<CString> OtherStoredSimsWithId(const CString& name, unsigned __int64 id)
{
    std::vector<CString> keys;
    {
        const SubDictionaryForRead sims(kSimDictionary);
        AcDbDictionaryIterator* it = sims.get() != nullptr ? sims.get()->newIterator() : nullptr;
        for (; it != nullptr && !it->done(); it->next())
            if (carriesId(it->objectId(), id) && name != it->name())
                keys.emplace_back(it->name());
        delete it;
    }
    if (!keys.empty() && HasBrokenBlockTie(id))
        keys.clear();
    return keys;
}
