// Saving a database as a drawing file: the two root objects and every live
// object they own, directly or through live owners, in ascending handle
// order, each record exactly as the object's own dwgOutFields wrote it.
// Objects without an owner are not written out. Objects are filed through
// the host's own read access, whatever their open state, so an object open
// for write is saved as it is at that moment.
// The records go to the new file as they are filed, a megabyte or so at a
// time, so that saving needs no memory in proportion to the drawing.
#pragma once

#include "host/AcadErrorStatus.h"
#include "host/WinTypes.h"

class AcDbImpDatabase;

namespace cadhost
{
// An object whose filing fails fails the save with its status (eFilerError
// when it threw), before any failure of the file system is told; so does a
// database that no file could describe, one the reader would refuse (a
// handle seed without room, handles out of order or not below the seed),
// with eFileInternalErr. Either way the file at fileName is left as it was.
Acad::ErrorStatus writeDrawingFile(const AcDbImpDatabase& database, const ACHAR* fileName);
} // namespace cadhost
