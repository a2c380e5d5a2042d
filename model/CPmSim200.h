// The drawing-independent record of one simulation: its name, total length
// in path positions, creation and edit times, display index, type code,
// 64-bit identifier, in-use mark, the sections in playing order and whether
// it is of the current version. The drawing-bound simulation derives from it
// and supplies Save, Update and Close.
//
// A position along the whole simulation indexes the concatenated positions
// of its sections; the length is the sum of the sections' lengths as they
// were added.
//
// The simulation owns its sections and deletes them when it goes;
// AddSection hands ownership over, and a null section is not added. A copy
// is deep: each section is copied through the factory of drawing-bound
// pieces. Assignment is deleted, as a memberwise one would leave two owners
// of the same sections.
#pragma once

#include "host/CString.h"
#include "host/CTime.h"
#include "host/WinTypes.h"

#include <iosfwd>
#include <vector>

class CPmSection200;
class CPmSim;

class CPmSim200
{
public:
    // Both times are set from one reading of the clock.
    CPmSim200();
    // Every field but the edit time, which becomes the time of copying (the
    // copy counts as an edit). The length is taken over, not recomputed from
    // the copied sections; null sections are not copied.
    CPmSim200(const CPmSim200& other);
    // The previous release's record converted: as a copy, each section
    // converted, and of the current version.
    explicit CPmSim200(const CPmSim& legacy);
    CPmSim200& operator=(const CPmSim200&) = delete;
    virtual ~CPmSim200();

    // Storage in the drawing; statuses are 0 on success.
    virtual int Save() = 0;
    virtual int Update() = 0;
    virtual int Close() = 0;
    // Removes the block references of every segment's part from the drawing,
    // in order, stopping at the first part whose removal fails; answers that
    // status, or 0. Removed references stay removed; the record is unchanged.
    virtual int Delete();
    virtual void SetSimInUse(bool inUse) { m_simInUse = inUse; }

    CString* Name() { return &m_name; }
    const CString* Name() const { return &m_name; }
    void SetName(const CString& name) { m_name = name; }
    int Length() const { return m_length; }
    void SetLength(int length) { m_length = length; }
    // The times as local date and time text, empty when they cannot be shown.
    CString DttmCreated() const;
    CString DttmEdited() const;
    CTime DttmCreatedTime() const { return m_dttmCreated; }
    CTime DttmEditedTime() const { return m_dttmEdited; }
    void SetDttmCreated(CTime time) { m_dttmCreated = time; }
    void SetDttmEdited(CTime time) { m_dttmEdited = time; }
    int DisplayIndex() const { return m_displayIndex; }
    void SetDisplayIndex(int index) { m_displayIndex = index; }
    int Type() const { return m_type; }
    void SetType(int type) { m_type = type; }
    unsigned __int64 Id() const { return m_id; }
    void SetId(unsigned __int64 id) { m_id = id; }
    int SimInUse() const { return m_simInUse ? 1 : 0; }
    bool IsCurVersion() const { return m_isCurVersion; }
    void SetIsCurVersion(bool isCurVersion) { m_isCurVersion = isCurVersion; }

    std::vector<CPmSection200*>* Sections() { return &m_sections; }
    const std::vector<CPmSection200*>* Sections() const { return &m_sections; }
    // The section holding position pos of the whole simulation; pos becomes
    // the position within it. A position at a section's end belongs to the
    // next one. Past the end: null, with pos reduced by the total length.
    CPmSection200* Section(int& pos);
    // Takes the section and adds its current length to the simulation's.
    void AddSection(CPmSection200* section);

    void DisplayPrint(std::wstringstream& stream) const;
    // Writes nothing: the dump is DisplayPrint.
    void DebugPrint() {}

protected:
    CString m_name;
    int m_length = 0;
    CTime m_dttmCreated;
    CTime m_dttmEdited;
    int m_displayIndex = 0;
    int m_type = -1;
    unsigned __int64 m_id = 0;
    bool m_simInUse = false;
    std::vector<CPmSection200*> m_sections;
    bool m_isCurVersion = true;

private:
    // Takes over the record of a simulation of either release, copying its
    // sections deeply; the current-version flag is left to the constructor.
    template <class Sim> void CopyRecord(const Sim& other);
};

std::wstringstream& operator<<(std::wstringstream& stream, const CPmSim200& sim);
