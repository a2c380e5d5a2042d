// Where blocks of the previous release meet this module. A part that a
// caller built by hand may hold the legacy module's block class; such a
// block is moved by that module's own SetPos. The binding to the legacy
// module's exports does not exist yet, so no block is recognised as a legacy
// one here: MoveLegacyBlock moves nothing, and a legacy block is left where
// it is, as any block that is not a drawing block.
#pragma once

#include "model/dpoint3d.h"

class CZnBlock;

void MoveLegacyBlock(CZnBlock* block, dpoint3d position);
