#include "storage/SubDictionaryForRead.h"

#include "host/AcDbDatabase.h"
#include "host/AcDbDictionary.h"

SubDictionaryForRead::SubDictionaryForRead(const CString& dictName)
{
    const AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr ||
        acdbOpenObject(m_namedObjects, db->namedObjectsDictionaryId()) != Acad::eOk)
        return;
    AcDbObjectId subId;
    m_lookup = m_namedObjects->getAt(dictName, subId);
    if (m_lookup == Acad::eOk)
        acdbOpenObject(m_sub, subId);
}

SubDictionaryForRead::~SubDictionaryForRead()
{
    if (m_sub != nullptr)
        m_sub->close();
    if (m_namedObjects != nullptr)
        m_namedObjects->close();
}
