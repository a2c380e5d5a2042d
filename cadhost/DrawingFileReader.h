// Reading a drawing file into an empty database. The file is checked whole
// first (header, lengths, checksums, tables); then every object is made by
// its registered class's pseudo-constructor and filled by its dwgInFields,
// with every handle of the file known beforehand so that references resolve
// in any order. The content is built in a database aside and taken over only
// when all of it is read, so a refused file leaves the database as it was.
// The file is read a window at a time, twice (checked, then built), and never
// held whole: the memory an open drawing needs is that of its objects.
//
// An object becomes an AcDbProxyObject holding its record's exact bytes when
// its class is not registered (or makes no database object), when its
// dwgInFields answers anything but eOk (eMakeMeProxy included) or throws,
// when the filer's status is set afterwards, or when bytes are left unread.
#pragma once

#include "host/AcadErrorStatus.h"
#include "host/WinTypes.h"

class AcDbDatabase;

namespace cadhost
{
// Statuses: eNotApplicable when the database is not empty; eFileNotFound,
// eFileAccessErr from the file system; eBadDwgHeader for a file that is not
// a drawing of this format; eEndOfFile for one cut short;
// eDwgCRCDoesNotMatch for a damaged one; eInvalidDwgVersion for another
// format version; eDwgObjectImproperlyRead when the tables break the rules
// of ObjectTableRules.h (they contradict themselves, or the handle seed
// leaves no room) or the root objects cannot be read as what they are.
Acad::ErrorStatus readDrawingFile(AcDbDatabase& database, const ACHAR* fileName);
} // namespace cadhost
