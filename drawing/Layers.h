// The layer an entity is drawn on, as whoever draws, sweeps or lists by
// layer needs it: its name, whether it shows, and how what is on it is
// drawn when it says "by layer"; and the working drawing's layers by name.
#pragma once

#include "host/AcCmColor.h"
#include "host/AcDb.h"
#include "host/AcDbObjectId.h"

#include <optional>
#include <string>
#include <vector>

class AcDbEntity;

// The layer a drawn vehicle's tyres are on, in its unit's block: what a
// sweep of the wheels alone takes from each part.
inline constexpr const char* kTyreLayer = "Tyres";

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

// The names of the working drawing's layers, in the table's order; none
// without a working drawing.
[[nodiscard]] std::vector<std::string> LayerNames();

// The working drawing's layer of that name (letter case ignored), added
// with the host's defaults when it has none. Throws a Failure (internal)
// when the host refuses it, as a drawing open for the command never does.
AcDbObjectId LayerNamed(const std::string& name);
