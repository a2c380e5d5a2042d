#include "storage/SimIdentifiers.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbDictionary.h"
#include "storage/CPmAcadSim200.h"
#include "storage/LegacySims.h"
#include "storage/SimDictionary.h"
#include "storage/SubDictionaryForRead.h"

#include <memory>

namespace
{
// Whether entry, open for read, is a stored simulation that the factory
// would load (a current one of this release, or one of the previous release)
// and that carries id. The identifier is compared first: it is all that most
// entries are asked.
bool carriesId(const AcDbObject* entry, unsigned __int64 id)
{
    if (const CPmAcadSim200* sim = CPmAcadSim200::cast(entry))
        return sim->Id() == id && sim->IsCurVersion();
    unsigned __int64 legacyId = 0;
    return StoredLegacySimId(entry, legacyId) && legacyId == id;
}

// An entry that cannot be opened (someone writes it) loads as nothing.
bool carriesId(AcDbObjectId entryId, unsigned __int64 id)
{
    AcDbObject* entry = nullptr;
    if (acdbOpenAcDbObject(entry, entryId, AcDb::kForRead) != Acad::eOk)
        return false;
    const bool carries = carriesId(entry, id);
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
        const std::unique_ptr<AcDbDictionaryIterator> it(sims.get() != nullptr ? sims.get()->newIterator()
                                                                                : nullptr);
        for (; it != nullptr && !it->done(); it->next())
            if (carriesId(it->objectId(), id) && name != it->name())
                keys.emplace_back(it->name());
    }
    if (!keys.empty() && HasBrokenBlockTie(id))
        keys.clear();
    return keys;
}
