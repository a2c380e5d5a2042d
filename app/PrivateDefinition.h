// Block definitions of a simulation's own. The module erases, when it
// deletes a simulation, the block definition of each of its parts' block
// references; a part that shows a definition shared with the rest of the
// drawing would take that definition from everyone. So znsim gives each
// part it builds a copy of the definition it names, made for that part
// alone.
#pragma once

#include <memory>
#include <string>

class AcDbBlockReference;

// Copies the block definition that source shows (source open, or in no
// drawing) into a new definition of the working drawing named after it and
// the simulation, "Tractor [Harbour convoy 2]" (the first number whose name
// is free), entity by entity as the host copies objects, through their own
// filing. The answer is a new block reference in no drawing, the caller's,
// showing the copy at source's position and scale factors. A copy that
// cannot be made is a Failure (internal) naming the host's status.
[[nodiscard]] std::unique_ptr<AcDbBlockReference> MakePrivateReference(const AcDbBlockReference& source,
                                                                       const std::wstring& simulation);
