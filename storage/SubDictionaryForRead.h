// A sub-dictionary of the working drawing's named objects, open for read
// together with the named-objects dictionary above it for as long as this
// lives.
#pragma once

#include "host/AcadErrorStatus.h"
#include "host/CString.h"

class AcDbDictionary;

class SubDictionaryForRead
{
public:
    explicit SubDictionaryForRead(const CString& dictName);
    ~SubDictionaryForRead();
    SubDictionaryForRead(const SubDictionaryForRead&) = delete;
    SubDictionaryForRead& operator=(const SubDictionaryForRead&) = delete;

    // Null when it could not be opened.
    const AcDbDictionary* get() const { return m_sub; }
    // The status of finding dictName; eOk also when the named-objects
    // dictionary itself could not be opened.
    Acad::ErrorStatus lookupStatus() const { return m_lookup; }

private:
    AcDbDictionary* m_namedObjects = nullptr;
    AcDbDictionary* m_sub = nullptr;
    Acad::ErrorStatus m_lookup = Acad::eOk;
};
