// The layer an entity is drawn on, as whoever draws, sweeps or lists by
// layer needs it: its name, whether it shows, and how what is on it is
// drawn when it says "by layer".
#pragma once

#include "host/AcCmColor.h"
#include "host/AcDb.h"
#include "host/AcDbObjectId.h"

#include <optional>
#include <string>

class AcDbEntity;

struct EntityLayer
{
    std::string name;
    bool off = false;
    bool frozen = false;
    bool locked = false;
    bool plotted = true;
    // An index colour or a true colour; never by layer or by block.
    AcCmColor colour;
    AcDbObjectId linetype;
    // Never by layer or by block; the default line weight until given.
    AcDb::LineWeight lineWeight = AcDb::kLnWtByLwDefault;

    // Whether what is on it shows: the layer is on and thawed.
    [[nodiscard]] bool Shows() const { return !off && !frozen; }
};

// Empty when the entity's layer record cannot be opened (an entity made
// outside a drawing has none).
[[nodiscard]] std::optional<EntityLayer> LayerOf(const AcDbEntity& entity);
