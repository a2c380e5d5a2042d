// The previous release's simulation record: the fields of this release's
// record in the same order, up to its sections, without the current-version
// flag. It owns its sections. The stored legacy simulation, CPmAcadSim,
// derives from it.
//
// Declared as far as this module uses it; the accessors are inline, so this
// module reads a legacy simulation without linking the previous release's
// module. The rest is defined in that module, and this module reaches it
// only through the object (its virtual members).
#pragma once

#include "host/CString.h"
#include "host/CTime.h"
#include "host/WinTypes.h"
#include "host/legacy101/CPmSection.h"

#include <vector>

class CPmSim
{
public:
    // Type -1, identifier 0, both times the present.
    CPmSim();
    // A deep copy, times included.
    CPmSim(const CPmSim& other);
    CPmSim& operator=(const CPmSim&) = delete;
    virtual ~CPmSim();

    virtual int Save() = 0;
    virtual int Update() = 0;
    virtual int Close() = 0;
    virtual int Delete() = 0;
    virtual void SetSimInUse(bool inUse) { m_simInUse = inUse; }

    const CString* Name() const { return &m_name; }
    void SetName(const CString& name) { m_name = name; }
    int Length() const { return m_length; }
    CTime DttmCreatedTime() const { return m_dttmCreated; }
    void SetDttmCreated(CTime time) { m_dttmCreated = time; }
    int DisplayIndex() const { return m_displayIndex; }
    int Type() const { return m_type; }
    void SetType(int type) { m_type = type; }
    unsigned __int64 Id() const { return m_id; }
    void SetId(unsigned __int64 id) { m_id = id; }
    int SimInUse() const { return m_simInUse ? 1 : 0; }
    const std::vector<CPmSection*>* Sections() const { return &m_sections; }

    // Takes the section and adds its length; null is not added.
    void AddSection(CPmSection* section);

protected:
    CString m_name;
    int m_length = 0;
    CTime m_dttmCreated;
    CTime m_dttmEdited;
    int m_displayIndex = 0;
    int m_type = -1;
    unsigned __int64 m_id = 0;
    bool m_simInUse = false;
    std::vector<CPmSection*> m_sections;
};
