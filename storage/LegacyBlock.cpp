#include "storage/LegacyBlock.h"

void MoveLegacyBlock(CZnBlock*, dpoint3d) {}
