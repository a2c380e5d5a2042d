// How each entity of a drawing is drawn: whether it shows, and its pen (the
// colour, dashes and line weight it takes from itself, its layer, or the
// block reference that shows it), from one table of pens shared by the
// whole picture. Layers and line types are read once each.
//
// Inside a block definition, "by block" takes the reference's own colour,
// line type and line weight, and an entity on layer "0" is drawn as if on
// the reference's layer, as the host draws them. In model space "by block"
// is index colour 7, a solid line and the default weight.
//
// Reading never fails: a layer that cannot be opened shows, in colour 7; a
// line type that cannot be opened is solid.
#pragma once

#include "drawing/Layers.h"
#include "view/Sketch.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

class AcDbEntity;

// What an entity inside a block definition takes from the reference that
// shows it: its colour, line type and weight resolved, and its layer.
struct Inherited
{
    AcCmColor colour;
    AcDbObjectId linetype;
    AcDb::LineWeight weight = AcDb::kLnWtByLwDefault;
    // None in model space.
    std::optional<EntityLayer> layer;

    // Model space's: index colour 7, solid, the default weight.
    static Inherited ModelSpace();
    // Tells apart what draws a definition differently.
    [[nodiscard]] std::string Key() const;
};

class EntityPens
{
public:
    // Whether entity shows, as ShowsOn says, under the layer that governs
    // it.
    [[nodiscard]] bool Shows(const AcDbEntity& entity, const Inherited& outer);
    // What the entities of the definition a reference shows take from it.
    [[nodiscard]] Inherited Resolve(const AcDbEntity& reference, const Inherited& outer);
    // The index of entity's pen in Pens().
    [[nodiscard]] std::size_t PenOf(const AcDbEntity& entity, const Inherited& outer);
    const std::vector<Pen>& Pens() const { return m_pens; }

private:
    struct Linetype
    {
        bool byLayer = false;
        bool byBlock = false;
        // Dashes positive, gaps negative, dots 0, as the line type has them.
        std::vector<double> pattern;
    };

    const std::optional<EntityLayer>& LayerOf(const AcDbEntity& entity, const Inherited& outer);
    const Linetype& LinetypeOf(AcDbObjectId id);

    std::map<AcDbObjectId, std::optional<EntityLayer>> m_layers;
    std::map<AcDbObjectId, Linetype> m_linetypes;
    std::map<Pen, std::size_t> m_indices;
    std::vector<Pen> m_pens;
};
