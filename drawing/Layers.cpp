#include "drawing/Layers.h"

#include "cadhost/Utf8Text.h"
#include "drawing/Failure.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbEntity.h"

#include <memory>

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

const std::optional<EntityLayer>& GoverningLayer(const std::optional<EntityLayer>& own,
                                                const std::optional<EntityLayer>& inherited)
{
    return own && own->name == "0" && inherited ? inherited : own;
}

bool ShowsOn(const AcDbEntity& entity, const std::optional<EntityLayer>& layer)
{
    if (entity.visibility() != AcDb::kVisible)
        return false;
    if (!layer)
        return true;
    return AcDbBlockReference::cast(&entity) != nullptr ? !layer->frozen : layer->Shows();
}

std::vector<std::string> LayerNames()
{
    std::vector<std::string> names;
    const Opened<AcDbLayerTable> table = OpenSymbolTable<AcDbLayerTable>(AcDb::kForRead);
    AcDbSymbolTableIterator* walk = nullptr;
    if (!table || table->newIterator(walk) != Acad::eOk)
        return names;
    const std::unique_ptr<AcDbSymbolTableIterator> iterator(walk);
    for (; !iterator->done(); iterator->step())
    {
        AcDbObjectId id;
        if (iterator->getRecordId(id) != Acad::eOk)
            continue;
        const Opened<AcDbLayerTableRecord> record = OpenObject<AcDbLayerTableRecord>(id, AcDb::kForRead);
        const ACHAR* name = nullptr;
        if (record && record->getName(name) == Acad::eOk && name != nullptr)
            names.push_back(cadhost::toUtf8(name));
    }
    return names;
}

AcDbObjectId LayerNamed(const std::string& name)
{
    const std::wstring wide = cadhost::fromUtf8(name);
    const Opened<AcDbLayerTable> table = OpenSymbolTable<AcDbLayerTable>(AcDb::kForWrite);
    AcDbObjectId id;
    if (table && table->getAt(wide.c_str(), id) == Acad::eOk)
        return id;
    auto record = std::make_unique<AcDbLayerTableRecord>();
    if (!table || record->setName(wide.c_str()) != Acad::eOk || table->add(id, record.get()) != Acad::eOk)
        throw Failure(FailureKind::internal, "the drawing refused the layer \"" + name + "\"");
    record.release()->close();
    return id;
}
