// The simulation list filled from the working drawing: one in-memory copy
// per stored simulation, legacy ones converted.
#pragma once

#include "storage/CPmSimList200.h"

class CPmAcadSimList200 : public CPmSimList200
{
public:
    // Reads the drawing's keys and appends a copy of each simulation, named
    // by its key. With upgrade, a legacy simulation is stored again as the
    // current version as it is listed. Without loadAll, simulations whose
    // identifier names an object of the drawing other than a live block
    // reference stay out of the list (the drawing keeps them).
    //
    // Starts from the status of finding the simulations' dictionary (0, or
    // eKeyNotFound for a drawing that never stored one) and takes one off
    // for each key that gives no simulation; a simulation left out for its
    // identifier costs nothing.
    int Load(bool loadAll, bool upgrade) override;
};
