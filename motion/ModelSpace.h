// Walking the working drawing's model space: each entity opened for read in
// turn, handed to visit, and closed again. Entities that cannot be opened
// are passed over; a drawing without model space visits nothing.
#pragma once

#include <functional>

class AcDbEntity;

void ForEachModelSpaceEntity(const std::function<void(const AcDbEntity&)>& visit);
