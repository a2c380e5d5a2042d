// One simulation stored in a drawing: at once a named database object and a
// simulation record. Each stored simulation is the entry of the "ZN_SIM"
// dictionary under its name; the record it files carries everything but the
// name (the key), the length (rebuilt from the sections read) and the display
// index.
//
// The named object is the first base, so a pointer to the object as a
// database object points to its start; the simulation record is the second,
// and the CPmSim200 pointer that callers hold points into the object.
//
// Objects are made and freed through the host's allocator for database
// objects, whether a caller or the host's class factory makes them. Every
// section held is a drawing-bound section that files its own record.
#pragma once

#include "host/AcRxClass.h"
#include "model/CPmSim200.h"
#include "storage/CIvAcadObject.h"

class CPmAcadSim200 : public CIvAcadObject, public CPmSim200
{
public:
    ACRX_DECLARE_MEMBERS(CPmAcadSim200);

    // Registers the class with the host once per load, passing func on as
    // the application-name change function. Stops the host with "Class
    // mismatch" when another descriptor has taken the name meanwhile.
    static void rxInit();
    static void rxInit(AppNameChangeFuncPtr func);

    // Type -1, identifier 0, both times the present, current version.
    CPmAcadSim200();
    // A new object in no drawing, unnamed as a host object, holding a deep
    // copy of the simulation.
    explicit CPmAcadSim200(const CPmSim200& sim);
    // The same, and the host object's name is copied too.
    CPmAcadSim200(const CPmAcadSim200& other);
    // A new object in no drawing holding the previous release's simulation
    // converted, marked as of the current version.
    explicit CPmAcadSim200(const CPmSim& legacy);
    ~CPmAcadSim200() override;

    // The stored simulation of that name, named, open for read for the caller
    // to Close; null when there is none, it is of another class, or its
    // record was of another version.
    static CPmSim200* Load(const CString& name);

    // Stores this object under its name, replacing an entry of that name;
    // from then on the drawing owns it and it is closed. Before that, other
    // stored simulations give up this one's identifier. -1, with nothing
    // stored or changed, for a record of another version.
    int Save() override;
    int Update() override;
    int Close() override;
    // Takes the parts' block references out of the drawing and erases the
    // stored entry of this name; the sum of both statuses. The object itself
    // is not freed.
    int Delete() override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    // Takes the identifier away from every other stored simulation that
    // carries it and that a list of the drawing would show, so that the one
    // saved last keeps it. Simulations tied to something other than a live
    // block reference keep theirs.
    void ReleaseIdFromOtherSims();
    void DiscardSections();
};
