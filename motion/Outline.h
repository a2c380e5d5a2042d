// What a block definition draws, flattened into the drawing plane: its
// lines, polylines and arcs as paths (arcs and bulged polyline segments as
// short chords), its circles and whole ellipses as ellipses (a circle seen
// through a non-uniform scale), arcs of ellipses and splines as paths
// (motion/CurvePaths.h), its hatches as areas bounded by their loops,
// nested block references expanded through their own definitions at their
// position, scale and rotation. Invisible entities and references are left
// out, and so is whatever the builder's filter refuses (a reference it
// refuses with all it draws). This is a part's footprint and what a sweep
// runs into; the drawing's own picture is drawn from sketches (view/Sketch.h).
//
// Reading never fails: what cannot be opened is passed over, a reference to
// a definition that is being expanded already (a cycle) is not followed, and
// expansion stops after kOutlineBudget pieces, marking the outline cut short.
#pragma once

#include "drawing/Angles.h"
#include "drawing/Layers.h"
#include "host/AcDbObjectId.h"
#include "motion/Affine2.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class AcDbBlockReference;
class AcDbEntity;
class AcGePoint2d;

struct OutlinePath
{
    // x0, y0, x1, y1, ...
    std::vector<double> xy;
    bool closed = false;
};

// The points centre + u·cos(t) + v·sin(t).
struct OutlineEllipse
{
    double cx, cy, ux, uy, vx, vy;
};

// A hatch's filled area: its boundary loops, closed. With nested, the
// loops take turns (a loop inside a loop is a hole, one inside that is
// filled again); without, everything inside an outer loop is filled.
struct OutlineArea
{
    std::vector<OutlinePath> loops;
    bool nested = true;
};

struct Outline
{
    std::vector<OutlinePath> paths;
    std::vector<OutlineEllipse> ellipses;
    std::vector<OutlineArea> areas;
    bool cutShort = false;

    bool Empty() const { return paths.empty() && ellipses.empty() && areas.empty(); }
};

// Whether an outline takes an entity (a nested one too), given the layer
// that governs it (drawing/Layers.h GoverningLayer); none takes all.
using EntityFilter = std::function<bool(const AcDbEntity&, const std::optional<EntityLayer>&)>;

constexpr std::size_t kOutlineBudget = 1000000;

// What a builder has drawn, counted against kOutlineBudget: past it, it
// draws no more and marks what it built as cut short.
class OutlineBudget
{
public:
    [[nodiscard]] bool Spend(bool& cutShort)
    {
        if (m_pieces >= kOutlineBudget)
        {
            cutShort = true;
            return false;
        }
        ++m_pieces;
        return true;
    }

private:
    std::size_t m_pieces = 0;
};

// Where a reference draws its definition, seen from above: its position,
// rotation about z and its x and y scale factors.
[[nodiscard]] Affine2 ReferencePlacement(const AcDbBlockReference& reference);

class OutlineBuilder
{
public:
    explicit OutlineBuilder(EntityFilter takes = {}) : m_takes(std::move(takes)) {}
    // Adds what entity draws, through place.
    void AddEntity(const AcDbEntity& entity, const Affine2& place);
    // Adds the entities of the block definition, through place.
    void AddDefinition(AcDbObjectId definition, const Affine2& place);
    Outline Take() { return std::move(m_outline); }

private:
    EntityFilter m_takes;
    // The layer of the reference being expanded, when there is a filter.
    std::optional<EntityLayer> m_inherited;
    Outline m_outline;
    std::vector<AcDbObjectId> m_expanding;
    OutlineBudget m_budget;
};

// The outline of a block definition in its own coordinates, of what takes
// lets through.
[[nodiscard]] Outline BlockOutline(AcDbObjectId definition, EntityFilter takes = {});
