// Saving a database as a drawing file: every live object in ascending
// handle order, each record exactly as the object's own dwgOutFields wrote
// it. Objects are filed through the host's own read access, whatever their
// open state, so an object open for write is saved as it is at that moment.
#pragma once

#include "host/AcadErrorStatus.h"
#include "host/WinTypes.h"

class AcDbImpDatabase;

namespace cadhost
{
// An object whose filing fails fails the save with its status (eFilerError
// when it threw); the file at fileName is then left as it was.
Acad::ErrorStatus writeDrawingFile(const AcDbImpDatabase& database, const ACHAR* fileName);
} // namespace cadhost
