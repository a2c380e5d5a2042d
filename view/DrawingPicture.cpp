#include "view/DrawingPicture.h"

#include "host/AcDbBlockReference.h"
#include "drawing/BlockWalk.h"

#include <algorithm>

DrawingPicture DrawingPicture::OfWorkingDrawing()
{
    DrawingPicture picture;
    OutlineBuilder loose;
    ForEachModelSpaceEntity([&](const AcDbEntity& entity) {
        const auto* reference = AcDbBlockReference::cast(&entity);
        if (reference == nullptr)
            loose.AddEntity(entity, Affine2());
        else if (entity.visibility() == AcDb::kVisible)
            picture.m_inserts.push_back(
                {picture.Block(reference->blockTableRecord()), ReferencePlacement(*reference)});
    });
    picture.m_loose = loose.Take();
    return picture;
}

std::size_t DrawingPicture::Block(AcDbObjectId definition)
{
    const auto found = m_indices.find(definition);
    if (found != m_indices.end())
        return found->second;
    m_blocks.push_back(BlockOutline(definition));
    m_indices.emplace(definition, m_blocks.size() - 1);
    return m_blocks.size() - 1;
}

bool DrawingPicture::CutShort() const
{
    return m_loose.cutShort || std::any_of(m_blocks.begin(), m_blocks.end(),
                                           [](const Outline& outline) { return outline.cutShort; });
}
