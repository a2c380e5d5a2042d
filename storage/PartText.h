// The text a part carries. The part files it as the first field of its
// record but offers no accessor for it, so it is read from the record the
// part writes, and set by having a fresh part read a record that holds it.
// Both go through a scratch filer that the caller gives (a memory filer of
// the host, rewound and empty), and both take the layout from the part's own
// record writer, so a field added to the record cannot put them out of step.
#pragma once

#include "host/CString.h"

class AcDbDwgFiler;
class CPmPart;

// Writes part's record as a drawing-bound part files it, with text in place
// of the part's own text.
void SavePartRecord(AcDbDwgFiler* filer, const CPmPart& part, const CString& text);

CString PartText(const CPmPart& part, AcDbDwgFiler& scratch);
// Gives a drawing-bound part fresh from the factory, without a block or
// sub-parts, its text; its offset stays.
void SetPartText(CPmPart& freshPart, const CString& text, AcDbDwgFiler& scratch);
