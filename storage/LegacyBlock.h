// Where blocks of the previous release meet this module. A part that a
// caller built by hand may hold the legacy module's block class; such a
// block is moved by that module's own SetPos, reached through the object.
// While the legacy module is not loaded no block is taken for a legacy one,
// and a block that is not a drawing block stays where it is.
#pragma once

#include "model/dpoint3d.h"

class CZnBlock;

void MoveLegacyBlock(CZnBlock* block, dpoint3d position);
