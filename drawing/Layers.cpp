#include "drawing/Layers.h"

#include "cadhost/Utf8Text.h"
#include "drawing/Opened.h"
#include "host/AcDbEntity.h"

std::optional<EntityLayer> LayerOf(const AcDbEntity& entity)
{
    const Opened<AcDbLayerTableRecord> record = OpenObject<AcDbLayerTableRecord>(entity.layerId(), AcDb::kForRead);
    const ACHAR* name = nullptr;
    if (!record || record->getName(name) != Acad::eOk || name == nullptr)
        return std::nullopt;
    EntityLayer layer;
    layer.name = cadhost::toUtf8(name);
    layer.off = record->isOff();
    layer.frozen = record->isFrozen();
    layer.locked = record->isLocked();
    layer.plotted = record->isPlottable();
    layer.colour = record->color();
    layer.linetype = record->linetypeObjectId();
    layer.lineWeight = record->lineWeight();
    return layer;
}
