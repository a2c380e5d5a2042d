// Walking what a block definition holds: each entity opened for read in
// turn, in the definition's order, handed to visit and closed again (also
// when visit throws). Erased entities are not visited.
#pragma once

#include "host/AcadErrorStatus.h"
#include "host/AcDbObjectId.h"

#include <functional>

class AcDbEntity;

using EntityVisit = std::function<void(const AcDbEntity&)>;

// eOk when every entity was visited. Otherwise the first status that kept
// one from it: the definition's own open (then nothing is visited), or an
// entity's, which is passed over while the rest are still visited. Callers
// that draw or measure pass over what they cannot open; callers that copy
// must fail.
Acad::ErrorStatus ForEachEntity(AcDbObjectId definition, const EntityVisit& visit);

// The same over the working drawing's model space; a drawing without one
// visits nothing.
Acad::ErrorStatus ForEachModelSpaceEntity(const EntityVisit& visit);
