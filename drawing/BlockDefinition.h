// Making block definitions in the working drawing and filling them: what
// DXF import, the demo and driving a vehicle all need. Every entity handed
// over is the drawing's once appended (and closed), and is deleted when it
// cannot be; a host that refuses a change is a Failure (internal), since a
// drawing open for the command never refuses one.
#pragma once

#include "host/AcDbEntity.h"
#include "host/AcDbObjectId.h"

#include <memory>
#include <string>
#include <vector>

using NewEntities = std::vector<std::unique_ptr<AcDbEntity>>;

// The name itself when the working drawing has no block of that name
// (names compare without letter case, as the host's do), else the first
// free one of "name (2)", "name (3)", ...
[[nodiscard]] std::string FreeBlockName(const std::string& name);

// A new, empty block definition of exactly that name, which must be free.
[[nodiscard]] AcDbObjectId AddBlockDefinition(const std::string& name);

// Appends the entities to the block definition record (a space is one
// too); their ids, in order.
std::vector<AcDbObjectId> AppendEntities(AcDbObjectId record, NewEntities entities);

// A new block definition under a free name (FreeBlockName), holding
// entities, drawn about its origin.
[[nodiscard]] AcDbObjectId DefineBlock(const std::string& name, NewEntities entities);

// Erases a block definition that nothing shows any more, with its entities.
void EraseBlockDefinition(AcDbObjectId definition);
