// Where callers, inside this module and in the product's other modules, get
// new simulations and pieces and deep copies of them. Every simulation handed
// out is a drawing-bound CPmAcadSim200 seen through its CPmSim200 part, made
// with the host's allocator for database objects; every section, segment and
// part is the drawing-bound class that files itself, made on the ordinary
// heap. What is handed out belongs to the caller until it is added to an
// owner or, for a simulation, stored; simulations go back through DeleteSim.
//
// The copies also convert the records of the previous release (the legacy
// module's CPmSection and CPmSegment) into this release's.
//
// The class has no fields and no instances. Making and copying answer null
// only when the allocation yields nothing.
#pragma once

#include "host/CString.h"
#include "host/WinTypes.h"

#include <vector>

class CPmPart;
class CPmSection;
class CPmSection200;
class CPmSegment;
class CPmSegment200;
class CPmSim200;
class CPmSimList200;

class CPmDbxFactory200
{
public:
    CPmDbxFactory200() = delete;

    // A new simulation with the defaults of a fresh record and the given
    // identifier and type.
    static CPmSim200* MakeSim(unsigned __int64 id, int type);
    // A deep copy: new sections, segments, parts and blocks; the creation
    // time kept, the edit time the moment of copying.
    static CPmSim200* CopySim(const CPmSim200& sim);

    static CPmSection200* MakeSection();
    static CPmSection200* CopySection(const CPmSection200& section);
    static CPmSection200* CopySection(const CPmSection& section);
    static CPmSegment200* MakeSegment();
    static CPmSegment200* CopySegment(const CPmSegment200& segment);
    static CPmSegment200* CopySegment(const CPmSegment& segment);
    static CPmPart* MakePart();
    static CPmPart* CopyPart(const CPmPart& part);

    // An in-memory copy of the simulation stored under name, of this release
    // or converted from the previous one; null when there is none.
    static CPmSim200* LoadSim(const CString& name);
    // Gives a simulation back: one in no drawing is freed, a stored one has
    // its open cancelled. Null does nothing.
    static void DeleteSim(CPmSim200* sim);
    // The answers of DeleteSim by name.
    static constexpr int kSimNotFound = 0;
    static constexpr int kSimDeleted = 1;
    static constexpr int kSimInUse = 2;
    // Deletes the simulation stored under name: kSimNotFound when there is
    // none, kSimDeleted when it was deleted, kSimInUse when it is in use and
    // was left alone.
    static int DeleteSim(const CString& name);

    // A new empty list of the drawing's simulations.
    static CPmSimList200* MakeSimList();
    // A new list filled from the working drawing with those two choices.
    static CPmSimList200* LoadSimList(bool loadAll, bool upgrade);
    // Replaces names with the names of every simulation that can be loaded.
    static void LoadSimNames(std::vector<CString>& names);
    // Stores a simulation of the previous release under name again as one of
    // this release; nothing changes when there is none to upgrade.
    static void UpgradeSim(const CString& name);
};
