// The previous release's stored simulation: a named database object of the
// registered class "CPmAcadSim" and a version-101 simulation record. It is
// stored in "ZN_SIM" under its name, like this release's simulations, and
// files its record in the previous release's own format.
//
// Declared as far as this module uses it. This module binds to the class's
// exports at run time (through the service below) and otherwise reaches an
// object only through its virtual members, so it needs no link to the
// previous release's module.
#pragma once

#include "host/AcRxClass.h"
#include "host/legacy101/CPmSim.h"
#include "storage/CIvAcadObject.h"

// The service the previous release's module registers while it is loaded;
// its exports are found by this name.
inline constexpr const ACHAR* kLegacyServiceName = ACRX_T("CPmAcadSim");

class CPmAcadSim : public CIvAcadObject, public CPmSim
{
public:
    ACRX_DECLARE_MEMBERS(CPmAcadSim);

    // Where stored simulations are kept, each under its name.
    static constexpr const ACHAR* kDictionary = ACRX_T("ZN_SIM");

    // Registers the class with the host, once per load.
    static void rxInit();

    CPmAcadSim();
    // A deep copy in no drawing, carrying the host object's name.
    CPmAcadSim(const CPmAcadSim& other);
    ~CPmAcadSim() override;

    // Stores this object under its name in "ZN_SIM", replacing an entry of
    // that name; the drawing owns it from then on.
    int Save() override;
    int Update() override;
    int Close() override;
    // Erases the stored entry of this name; the object itself stays.
    int Delete() override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    void DiscardSections();
};
