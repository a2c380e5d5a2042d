// Builds a sketch (view/Sketch.h) from entities, as OutlineBuilder builds a
// part's outline: what does not show is left out, nested block references
// are drawn through their definitions at their placement with what they
// hand down (view/EntityPens.h), a definition being drawn already is not
// followed into, and drawing stops after kOutlineBudget pieces, marking the
// sketch cut short. Reading never fails: what cannot be opened is passed
// over.
#pragma once

#include "view/EntityPens.h"

#include <vector>

class SketchBuilder
{
public:
    explicit SketchBuilder(EntityPens& pens) : m_pens(pens) {}

    void AddEntity(const AcDbEntity& entity, const Affine2& place, const Inherited& outer);
    void AddDefinition(AcDbObjectId definition, const Affine2& place, const Inherited& outer);
    Sketch Take() { return std::move(m_sketch); }

private:
    // Lines, polylines, arcs and circles, drawn as a part's outline draws them.
    void AddOutline(const AcDbEntity& entity, const Affine2& place, std::size_t pen);
    void AddCurve(const AcDbEntity& entity, const Affine2& place, std::size_t pen);
    void AddText(SketchText text, std::size_t pen);

    EntityPens& m_pens;
    Sketch m_sketch;
    std::vector<AcDbObjectId> m_expanding;
    OutlineBudget m_budget;
};
