// An ordered list of in-memory simulations: lookups by position and name,
// the in-use bookkeeping of its copies, and storing them all at once. How a
// list is filled is left to the derived class.
//
// The list owns every simulation it holds and gives each back through the
// factory when it goes: one still in memory is freed, one that has been
// stored in the meantime belongs to the drawing and is only cancelled. So a
// simulation of the list may be stored (by its own Save or Update, by the
// list's Save, or while the list is filled) and stay in the list; the host
// keeps stored objects in memory until the drawing goes, so the list must
// go before the drawing does.
//
// Names are matched two ways: the lookups ignore letter case, as a user
// types a name; marking in use compares exactly, as the drawing's keys do.
#pragma once

#include "host/CString.h"
#include "host/CStringArray.h"

#include <vector>

class CPmSim200;

class CPmSimList200
{
public:
    CPmSimList200();
    CPmSimList200(const CPmSimList200&) = delete;
    CPmSimList200& operator=(const CPmSimList200&) = delete;
    virtual ~CPmSimList200();

    // Appends to what the list holds; the result is a status, 0 when every
    // simulation it meant to take was taken.
    virtual int Load(bool loadAll, bool upgrade) = 0;

    int Size() const;
    // The first simulation named name, letter case ignored; -1 / null when
    // none is.
    int Index(const CString& name) const;
    CPmSim200* Sim(const CString& name) const;
    // Null for a position outside the list.
    CPmSim200* Sim(int index) const;
    // The list owns sim from now on.
    void Add(CPmSim200* sim);

    // Marks in use every simulation named exactly name; the others keep
    // their mark.
    void SetSimInUse(const CString& name);
    void ResetUse();
    // Updates every simulation in order; the sum of their statuses.
    int Save();
    void DebugPrint();

protected:
    std::vector<CPmSim200*> m_sims;
    // The keys the drawing held when the list was last loaded.
    CStringArray m_names;
};
