// The previous release's factory: where its simulations, pieces and blocks
// are made, and where a stored simulation is handed out as a copy. Everything
// handed out belongs to the caller.
//
// Declared as far as this module and its tests use it. This module calls
// LoadSim only through the address the host gives for it at run time.
#pragma once

#include "host/CString.h"
#include "host/WinTypes.h"

class AcDbBlockReference;
class CPmPart;
class CPmSection;
class CPmSegment;
class CPmSim;
class CZnBlock;

class CPmDbxFactory
{
public:
    CPmDbxFactory() = delete;

    // A new in-memory copy of the simulation stored under name, whose
    // complete object is a CPmAcadSim; null when no such simulation is
    // stored. Freed with delete.
    static CPmSim* LoadSim(const CString& name);

    // A new stored-simulation object in no drawing, made with the host's
    // allocator for database objects.
    static CPmSim* MakeSim(unsigned __int64 id, int type);
    // Speed held in miles per hour, with the code of the unit it was given in.
    static CPmSection* MakeSection(double speed, int speedUnits);
    static CPmSegment* MakeSegment();
    // A part of the previous release, filed in its format.
    static CPmPart* MakePart();
    // A legacy block pending with a copy of source.
    static CZnBlock* CreateBlock(AcDbBlockReference* source);
};
