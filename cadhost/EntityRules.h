// The values an entity's common properties may take, shared by the entity,
// the layer and the database that give them.
#pragma once

#include "host/AcDb.h"
#include "host/AcDbObjectId.h"
#include "host/AcadErrorStatus.h"

class AcDbEntity;
class AcRxClass;

namespace cadhost
{
// One of the enumeration's values, by layer, by block and default included.
bool isLineWeight(int weight);
// Above 0 and finite: a scale, a height, a width factor.
bool isPositive(double value);

// What an entity may refer to as its layer, line type or text style: a live
// object of recordClass (else eWrongObjectType) in the entity's database,
// when it has one (else eWrongDatabase).
Acad::ErrorStatus checkRecord(const AcDbEntity& entity, AcDbObjectId id, const AcRxClass* recordClass);
} // namespace cadhost
