// The text a part carries. The module files it with the part but offers no
// accessor for it: the text travels only in the part's record, whose first
// field it is. So a part is given its text by reading a record that holds
// it, and the text is read back from the record the part writes.
#pragma once

#include "host/CString.h"

class CPmPart;

// Gives a drawing-bound part fresh from the factory its text; its offset
// stays, and it is left without a block, as it came.
void SetPartText(CPmPart& freshPart, const CString& text);
CString PartText(const CPmPart& part);
