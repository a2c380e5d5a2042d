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

// The layer that governs an entity: its own; but an entity on layer "0"
// inside a block takes the layer of the reference that shows it
// (inherited, itself governed so; none in model space).
[[nodiscard]] const std::optional<EntityLayer>& GoverningLayer(const std::optional<EntityLayer>& own,
                                                               const std::optional<EntityLayer>& inherited);

// Whether an entity governed by layer shows, as the host shows it: it is
// visible and its layer on and thawed. A block reference on a layer that is
// off still shows what it holds on layers of their own (what it holds on
// "0" takes the layer, and is hidden with it); only a frozen layer hides
// all it holds.
[[nodiscard]] bool ShowsOn(const AcDbEntity& entity, const std::optional<EntityLayer>& layer);

// The names of the working drawing's layers, in the table's order; none
// without a working drawing.
[[nodiscard]] std::vector<std::string> LayerNames();

// The working drawing's layer of that name (letter case ignored), added
// with the host's defaults when it has none. Throws a Failure (internal)
// when the host refuses it, as a drawing open for the command never does.
AcDbObjectId LayerNamed(const std::string& name);
