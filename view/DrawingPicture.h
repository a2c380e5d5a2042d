// The drawing as seen from above, ready to draw many times, in two kinds.
// The drawing's own picture is drawn as the person drew it: model space's
// loose entities as a sketch, and each visible reference an index into the
// sketches of the definitions it shows, with the placement it is drawn at;
// a definition is sketched once for each way the references showing it
// hand their colour, line type and layer down (view/EntityPens.h). Parts
// are drawn by their definitions' outlines, each flattened once on first
// use, in the page's own colours.
#pragma once

#include "host/AcDbObjectId.h"
#include "motion/Bounds.h"
#include "view/EntityPens.h"

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct SketchInsert
{
    std::size_t sketch = 0;
    Affine2 place;
};

class DrawingPicture
{
public:
    // Model space of the working drawing.
    static DrawingPicture OfWorkingDrawing();

    // The index of definition's outline, flattened on first use.
    std::size_t Block(AcDbObjectId definition);
    const std::vector<Outline>& Blocks() const { return m_blocks; }

    const Sketch& Loose() const { return m_loose; }
    const std::vector<Sketch>& Sketches() const { return m_sketches; }
    const std::vector<SketchInsert>& Inserts() const { return m_inserts; }
    const std::vector<Pen>& Pens() const { return m_pens.Pens(); }
    // The box of the drawing's own picture.
    [[nodiscard]] Bounds DrawingBounds() const;
    // Whether any outline or sketch stopped at the budget.
    bool CutShort() const;

private:
    std::size_t SketchOf(AcDbObjectId definition, const Inherited& outer);

    EntityPens m_pens;
    Sketch m_loose;
    std::vector<Sketch> m_sketches;
    std::map<std::pair<AcDbObjectId, std::string>, std::size_t> m_sketchIndices;
    std::vector<SketchInsert> m_inserts;
    std::vector<Outline> m_blocks;
    std::map<AcDbObjectId, std::size_t> m_indices;
};

// Adds what sketch draws through place to bounds: its points, its
// ellipses' boxes, and each text's anchor.
void AddSketch(Bounds& bounds, const Sketch& sketch, const Affine2& place);
