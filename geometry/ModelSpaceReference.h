// The block references that the drawing blocks stand for: building the
// pending copy of an existing reference, placing it in the model space of the
// working drawing, finding a placed one again by its handle, and showing a
// handle in a dump. Every answer is a host status, 0 on success.
#pragma once

#include "host/AcDb.h"
#include "host/AcDbObjectId.h"

#include <iosfwd>

class AcDbBlockReference;
class AcDbHandle;

namespace ModelSpaceReference
{
// A new reference, in no drawing, with the source's block definition, scale
// factors and position, set in that order; null for a null source. The
// source is only read; it must be readable (open, or itself in no drawing).
AcDbBlockReference* NewPending(const AcDbBlockReference* source);

// Replaces the pending reference owned with a new copy of source (or none),
// deleting the one owned only once the copy is made, so that source may be
// the owned reference itself.
void ReplacePending(AcDbBlockReference*& owned, const AcDbBlockReference* source);

// Appends pending to "*Model_Space" of the working drawing, hidden unless
// visible, and closes it. On success the drawing owns the reference, pending
// becomes null and placedId names the reference. Answers the status of
// closing model space, or of hiding the reference when it is hidden.
//
// Without a pending reference, only the block table is opened and closed
// again, and its opening status is the answer. When the block table or model
// space cannot be opened, or the append fails, the reference stays pending
// (still the caller's, to be placed later) and the failing status is the
// answer: a reference the drawing did not take must not be lost.
int Place(AcDbBlockReference*& pending, bool visible, AcDbObjectId& placedId);

// Opens the reference whose handle is given in the working drawing, in
// mode, as a block reference; erased ones are not opened. Answers the status
// of the lookup or of the open; reference is null unless it is eOk.
int OpenByHandle(const AcDbHandle& handle, AcDb::OpenMode mode, AcDbBlockReference*& reference);

// "Null" for the null handle, else the high and the low 32 bits as unsigned
// decimals separated by ", ".
void PrintHandle(std::wostream& stream, const AcDbHandle& handle);
} // namespace ModelSpaceReference
