// The drawing as seen from above, ready to draw many times: each block
// definition that is shown is flattened once into an outline, and model
// space is its loose entities plus the visible references, each an index
// into those outlines with the placement it is drawn at. Parts' definitions
// are added the same way, so a definition is carried once whatever shows it.
#pragma once

#include "host/AcDbObjectId.h"
#include "motion/Outline.h"

#include <cstddef>
#include <map>
#include <vector>

struct BlockInsert
{
    std::size_t block = 0;
    Affine2 place;
};

class DrawingPicture
{
public:
    // Model space of the working drawing.
    static DrawingPicture OfWorkingDrawing();

    // The index of definition's outline, flattened on first use.
    std::size_t Block(AcDbObjectId definition);

    const Outline& Loose() const { return m_loose; }
    const std::vector<Outline>& Blocks() const { return m_blocks; }
    const std::vector<BlockInsert>& Inserts() const { return m_inserts; }
    // Whether any outline stopped at the budget.
    bool CutShort() const;

private:
    Outline m_loose;
    std::vector<Outline> m_blocks;
    std::map<AcDbObjectId, std::size_t> m_indices;
    std::vector<BlockInsert> m_inserts;
};
