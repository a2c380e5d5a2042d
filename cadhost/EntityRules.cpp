#include "cadhost/EntityRules.h"

#include "cadhost/AcDbStub.h"
#include "host/AcDbEntity.h"
#include "host/AcRxClass.h"

#include <cmath>

namespace cadhost
{
bool isLineWeight(int weight)
{
    static constexpr int kWeights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,  53,
                                       60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211, -1, -2, -3};
    for (const int known : kWeights)
        if (weight == known)
            return true;
    return false;
}

bool isPositive(double value) { return value > 0.0 && std::isfinite(value); }

Acad::ErrorStatus checkRecord(const AcDbEntity& entity, AcDbObjectId id, const AcRxClass* recordClass)
{
    const AcDbStub* stub = static_cast<AcDbStub*>(id);
    const AcDbObject* object = stub != nullptr ? stub->object() : nullptr;
    if (object == nullptr || stub->isErased() || !object->isKindOf(recordClass))
        return Acad::eWrongObjectType;
    const AcDbDatabase* own = entity.database();
    return own != nullptr && object->database() != own ? Acad::eWrongDatabase : Acad::eOk;
}
} // namespace cadhost
