// The header variables section of a drawing file: the root objects beyond
// the two the header names (the layer, line type and text style tables), and
// the database's own values (the current layer, line type, colour, line type
// scale, line weight and text style, and the insertion units). Files of the
// first format have none.
#pragma once

#include "host/AcadErrorStatus.h"

class AcDbImpDatabase;
class DwgMemoryFiler;

namespace cadhost
{
void writeVariables(const AcDbImpDatabase& database, DwgMemoryFiler& filer);

// Reads them into a database whose objects are all read, with its named
// objects and block table set: eDwgObjectImproperlyRead unless each table
// is one of its class, each has the records every drawing has, each current
// record belongs to its table and each value is one the database takes. A
// database without a block table may have no tables either.
Acad::ErrorStatus readVariables(AcDbImpDatabase& database, DwgMemoryFiler& filer);
} // namespace cadhost
